// The configuration dialog's frame: its tabs, the subtitle switch under
// them, and Ok and Cancel.
#include "config/audio_page.h"
#include "config/credits_page.h"
#include "config/decoder_pages.h"
#include "config/dialog_widgets.h"
#include "config/frm_config.h"
#include "config/general_page.h"
#include "config/keys_page.h"
#include "config/scenova_page.h"
#include "config/skins_page.h"
#include "config/subtitles_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace dialog;

void frmConfig::buildWindow() {
    Reglbl = named(new QLabel(this), "Reglbl");
    general_ = new GeneralPage(*this, DAR);
    audio_ = new AudioPage(*this);
    decoders_ = new DecoderPages(*this, *Reglbl);
    skins_ = new SkinsPage(*this);
    subtitles_ = new SubtitlesPage(*this);

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    SSTab1->addTab(general_, QStringLiteral("General"));
    SSTab1->addTab(audio_, QStringLiteral("Audio"));
    SSTab1->addTab(decoders_->wmaPage(), QStringLiteral("WMA Audio"));
    SSTab1->addTab(decoders_->divx3Page(), QStringLiteral(" DivX 3.11a"));
    SSTab1->addTab(decoders_->divx4Page(), QStringLiteral("DivX 4.0"));
    SSTab1->addTab(scenova_ = new ScenovaPage, QStringLiteral("Scenova ;-)"));
    SSTab1->addTab(skins_, QStringLiteral("Skins"));
    SSTab1->addTab(new CreditsPage(*this), QStringLiteral(" Credits && About"));
    SSTab1->addTab(subtitles_, QStringLiteral("Subtitles"));
    SSTab1->addTab(new KeysPage, QStringLiteral("Keys"));

    auto* subtitles = named(frame("Subtitles", this), "FrameSubtitles");
    Check1 = checkBox("Check1", "Subtitles", subtitles);
    Image3 = named(new QToolButton(subtitles), "Image3");
    Image3->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    Image3->setAutoRaise(true);
    auto* question = new QLabel(
        QStringLiteral(
            "Do you want to display the subtitles support ? (You need to re-open your file)"),
        subtitles);
    question->setWordWrap(true);
    auto* subtitlesRow = new QHBoxLayout(subtitles);
    subtitlesRow->addWidget(Image3);
    subtitlesRow->addWidget(question, 1);
    subtitlesRow->addWidget(Check1);

    Command1 = button("Command1", "&Ok", this);
    Command1->setDefault(true);
    Command3 = button("Command3", "&Cancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Reglbl, 1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addWidget(subtitles);
    layout->addLayout(buttons);

    // Only the user's actions arrive here; loading runs the handlers itself.
    connect(Command1, &QPushButton::clicked, this, &frmConfig::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmConfig::Command3_Click);
    connect(Image3, &QToolButton::clicked, this,
            [this] { Check1->setChecked(!Check1->isChecked()); });
}

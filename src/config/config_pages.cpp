// The configuration dialog's frame: its tabs, the two small pages of its
// own, the subtitle switch under the tabs, and Ok and Cancel.
#include "config/audio_page.h"
#include "config/decoder_pages.h"
#include "config/dialog_widgets.h"
#include "config/frm_config.h"
#include "config/general_page.h"
#include "config/skins_page.h"
#include "config/subtitles_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace dialog;

namespace {

QLabel* link(const char* name, const QString& url, const QString& caption, QWidget* parent) {
    auto* label = named(new QLabel(parent), name);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(url, caption.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

} // namespace

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
    SSTab1->addTab(buildScenovaPage(), QStringLiteral("Scenova ;-)"));
    SSTab1->addTab(skins_, QStringLiteral("Skins"));
    SSTab1->addTab(buildCreditsPage(), QStringLiteral(" Credits && About"));
    SSTab1->addTab(subtitles_, QStringLiteral("Subtitles"));

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
}

QWidget* frmConfig::buildScenovaPage() {
    auto* page = named(new QWidget, "PageScenova");
    auto* drives = frame("Scenova drives", page);
    Drive1 = named(new QComboBox(drives), "Drive1");
    auto* drivesLayout = new QFormLayout(drives);
    drivesLayout->addRow(QStringLiteral("First CD/DVD ROM"), Drive1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(drives);
    layout->addStretch();
    return page;
}

QWidget* frmConfig::buildCreditsPage() {
    auto* page = named(new QWidget, "PageCredits");
    auto* version = new QLabel(
        QStringLiteral("Vantor Meridian %1").arg(QCoreApplication::applicationVersion()), page);
    Label30 = link("Label30", QStringLiteral("https://gstreamer.freedesktop.org/"),
                   QStringLiteral("Playback by GStreamer"), page);
    Label32 = link("Label32", QStringLiteral("https://www.qt.io/"), QStringLiteral("Windows by Qt"),
                   page);
    Command11 = button("Command11", "Enjoy the credits !!", page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(version);
    layout->addWidget(Label30);
    layout->addWidget(Label32);
    layout->addWidget(Command11, 0, Qt::AlignLeft);
    layout->addStretch();
    return page;
}

void frmConfig::wireControls() {
    // Only the user's actions arrive here; loading runs the handlers itself.
    // The pages wire their own controls.
    connect(Command1, &QPushButton::clicked, this, &frmConfig::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmConfig::Command3_Click);
    connect(Image3, &QToolButton::clicked, this, &frmConfig::Image3_Click);
    connect(Command11, &QPushButton::clicked, this, &frmConfig::Command11_Click);
    auto openLink = [this](const QString& url) {
        if (hooks.openUrl)
            hooks.openUrl(QUrl(url));
        else
            QDesktopServices::openUrl(QUrl(url));
    };
    connect(Label30, &QLabel::linkActivated, this, openLink);
    connect(Label32, &QLabel::linkActivated, this, openLink);
}

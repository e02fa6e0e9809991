// Building the configuration dialog's pages and wiring their controls.
#include "config/frm_config.h"

#include "config/display_modes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <cstdlib>

#include "support/models/list_binding.h"

namespace {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    return named(new QPushButton(QString::fromLatin1(caption), parent), name);
}

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
    return named(new QCheckBox(QString::fromLatin1(caption), parent), name);
}

QGroupBox* frame(const char* caption, QWidget* parent) {
    return new QGroupBox(QString::fromLatin1(caption), parent);
}

QComboBox* fixedList(const char* name, const QList<ListEntry>& entries, QWidget* parent) {
    auto* box = named(new QComboBox(parent), name);
    for (const ListEntry& entry : entries)
        box->addItem(entry.text, entry.itemData);
    box->setCurrentIndex(-1);
    return box;
}

QLabel* link(const char* name, const QString& url, const QString& caption, QWidget* parent) {
    auto* label = named(new QLabel(parent), name);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(url, caption.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

} // namespace

void frmConfig::buildWindow() {
    SSTab1 = named(new QTabWidget(this), "SSTab1");
    SSTab1->addTab(buildGeneralPage(), QStringLiteral("General"));
    SSTab1->addTab(buildAudioPage(), QStringLiteral("Audio"));
    SSTab1->addTab(buildWmaPage(), QStringLiteral("WMA Audio"));
    SSTab1->addTab(buildDivx3Page(), QStringLiteral(" DivX 3.11a"));
    SSTab1->addTab(buildDivx4Page(), QStringLiteral("DivX 4.0"));
    SSTab1->addTab(buildScenovaPage(), QStringLiteral("Scenova ;-)"));
    SSTab1->addTab(buildSkinsPage(), QStringLiteral("Skins"));
    SSTab1->addTab(buildCreditsPage(), QStringLiteral(" Credits && About"));
    SSTab1->addTab(buildSubtitlesPage(), QStringLiteral("Subtitles"));

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

    Reglbl = named(new QLabel(this), "Reglbl");
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

QWidget* frmConfig::buildGeneralPage() {
    auto* page = named(new QWidget, "PageGeneral");

    auto* other = frame("Other", page);
    CheckRes = checkBox("CheckRes", "Change resolution when you switch to full screen", other);
    cmbres = fixedList("cmbres", resolutionEntries(), other);
    cmbcols = fixedList("cmbcols", colourEntries(), other);
    cmbHz = fixedList("cmbHz", refreshEntries(), other);
    auto* otherLayout = new QFormLayout(other);
    otherLayout->addRow(CheckRes);
    otherLayout->addRow(QStringLiteral("Resolution"), cmbres);
    otherLayout->addRow(QStringLiteral("Colours"), cmbcols);
    otherLayout->addRow(QStringLiteral("Refresh rate"), cmbHz);

    auto* aspect = frame("Custom Aspect Ratio (DAR)", page);
    DARView = named(new QListWidget(aspect), "DAR");
    Dartxt = named(new QLineEdit(aspect), "Dartxt");
    Command8 = button("Command8", "Add", aspect);
    Command9 = button("Command9", "Delete", aspect);
    Command10 = button("Command10", "Original", aspect);
    auto* aspectLayout = new QGridLayout(aspect);
    aspectLayout->addWidget(DARView, 0, 0, 4, 1);
    aspectLayout->addWidget(Dartxt, 0, 1);
    aspectLayout->addWidget(Command8, 1, 1);
    aspectLayout->addWidget(Command9, 2, 1);
    aspectLayout->addWidget(Command10, 3, 1);
    bindList(DARView, &DAR);

    Command2 = button("Command2", "Register", page);
    CheckScroll = checkBox("CheckScroll", "Scroll Movie title (More CPU)", page);
    CheckScreenS = checkBox("CheckScreenS", "Screen Saver disabled", page);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(other);
    layout->addWidget(aspect);
    layout->addWidget(CheckScroll);
    layout->addWidget(CheckScreenS);
    layout->addWidget(Command2, 0, Qt::AlignLeft);
    layout->addStretch();
    return page;
}

QWidget* frmConfig::buildAudioPage() {
    auto* page = named(new QWidget, "PageAudio");
    auto* ac3 = frame("AC3 Dolby Digital && THX support ", page);
    Combo1 = named(new QComboBox(ac3), "Combo1");
    Combo2 = named(new QComboBox(ac3), "Combo2");
    auto* ac3Layout = new QFormLayout(ac3);
    ac3Layout->addRow(QStringLiteral("Speakers"), Combo1);
    ac3Layout->addRow(QStringLiteral("Audio device"), Combo2);

    auto* dedynamic = frame("DeDynamic (MMX Required)", page);
    UseDedynamic = checkBox("UseDedynamic", "Use Dedynamic filter", dedynamic);
    (new QVBoxLayout(dedynamic))->addWidget(UseDedynamic);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ac3);
    layout->addWidget(dedynamic);
    layout->addStretch();
    return page;
}

QSlider* frmConfig::makeSlider(const QString& name, int minimum, int maximum, int single, int page,
                               int value, Qt::Orientation orientation) {
    auto* slider = new QSlider(orientation);
    slider->setObjectName(name);
    slider->setRange(minimum, maximum);
    slider->setSingleStep(single);
    slider->setPageStep(page);
    slider->setValue(value);
    slider->setTickPosition(orientation == Qt::Horizontal ? QSlider::TicksBelow
                                                          : QSlider::TicksRight);
    return slider;
}

// A decoder slider as the table gives it: name, range, steps and default.
QSlider* frmConfig::decoderSlider(DecoderSlider id) {
    const DecoderSliderInfo& info = decoderSliderInfo(id);
    QString name = QString::fromLatin1(info.control);
    if (info.index >= 0)
        name += QString::number(info.index);
    return makeSlider(name, info.minimum, info.maximum, info.smallChange, info.largeChange,
                      info.designDefault, info.vertical ? Qt::Vertical : Qt::Horizontal);
}

QWidget* frmConfig::buildWmaPage() {
    auto* page = named(new QWidget, "PageWma");
    auto* wma = frame("Windows Media Audio && DivX Audio support", page);
    auto* grid = new QGridLayout(wma);
    grid->addWidget(new QLabel(equaliserPageText(), wma), 0, 0, 1, 10);
    for (int i = 0; i < kEqualiserBands; ++i) {
        // -50 at the top: the top is the strongest band gain.
        SlideWma[i] = decoderSlider(equaliserSlider(i));
        SlideWma[i]->setInvertedAppearance(true);
        grid->addWidget(SlideWma[i], 1, i, Qt::AlignHCenter);
        grid->addWidget(new QLabel(QString::fromLatin1(equaliserBandLabels()[i]), wma), 2, i,
                        Qt::AlignHCenter);
    }
    Command7 = button("Command7", "Reset", wma);
    grid->addWidget(Command7, 3, 0, 1, 10, Qt::AlignRight);
    (new QVBoxLayout(page))->addWidget(wma);
    return page;
}

namespace {
// Kept in the registry for decoders that read it; GStreamer's have nothing
// it could drive.
void markStoredOnly(QSlider* slider) {
    slider->setToolTip(
        QStringLiteral("Stored for the decoder; no effect on this player's decoders"));
}
} // namespace

QWidget* frmConfig::buildDivx3Page() {
    auto* page = named(new QWidget, "PageDivx3");
    CpuCal = decoderSlider(DecoderSlider::CpuCal);
    PostCpu = decoderSlider(DecoderSlider::PostCpu);
    Bness = decoderSlider(DecoderSlider::Bness);
    Contrast = decoderSlider(DecoderSlider::Contrast);
    Saturation = decoderSlider(DecoderSlider::Saturation);
    Hue = decoderSlider(DecoderSlider::Hue);
    markStoredOnly(CpuCal);
    markStoredOnly(PostCpu);
    Command6 = button("Command6", "RESET", page);
    auto* image = named(new QLabel(page), "Image4");
    auto* layout = new QFormLayout(page);
    layout->addRow(image);
    layout->addRow(QStringLiteral("Post-processing"), CpuCal);
    layout->addRow(QStringLiteral("CPU clock (MHz)"), PostCpu);
    layout->addRow(QStringLiteral("Brightness"), Bness);
    layout->addRow(QStringLiteral("Contrast"), Contrast);
    layout->addRow(QStringLiteral("Saturation"), Saturation);
    layout->addRow(QStringLiteral("Hue"), Hue);
    layout->addRow(Command6);
    return page;
}

QWidget* frmConfig::buildDivx4Page() {
    auto* page = named(new QWidget, "PageDivx4");
    PPLevel = decoderSlider(DecoderSlider::PPLevel);
    Bness4 = decoderSlider(DecoderSlider::Bness4);
    Contrast4 = decoderSlider(DecoderSlider::Contrast4);
    Saturation4 = decoderSlider(DecoderSlider::Saturation4);
    markStoredOnly(PPLevel);
    Command12 = button("Command12", "RESET", page);
    auto* layout = new QFormLayout(page);
    layout->addRow(QStringLiteral("Post-processing"), PPLevel);
    layout->addRow(QStringLiteral("Brightness"), Bness4);
    layout->addRow(QStringLiteral("Contrast"), Contrast4);
    layout->addRow(QStringLiteral("Saturation"), Saturation4);
    layout->addRow(Command12);
    return page;
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

// The folder tree reads the disk on a thread of its own; it is made when
// the dialog is first shown, not at start-up, where a new thread would wait
// for the decoders being loaded meanwhile.
void frmConfig::attachFolderModel() {
    if (dirModel_)
        return;
    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dirModel_->setRootPath(QDir::rootPath());
    Dir1->setModel(dirModel_);
    for (int column = 1; column < dirModel_->columnCount(); ++column)
        Dir1->hideColumn(column);
    showSkinFolderInTree();
}

QWidget* frmConfig::buildSkinsPage() {
    auto* page = named(new QWidget, "PageSkins");
    Dir1 = named(new QTreeView(page), "Dir1");
    Dir1->header()->hide();
    SkinName = named(new QLabel(page), "SkinName");
    SkinDesc = named(new QLabel(page), "SkinDesc");
    SkinCom = named(new QLabel(page), "SkinCom");
    // Texts from skin files and the settings may be long: they wrap or are
    // cut at the dialog's edge, and never widen it.
    SkinCom->setWordWrap(true);
    for (QLabel* label : {SkinName, SkinDesc, SkinCom})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    SkinCom->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Dir1, 1);
    layout->addWidget(SkinName);
    layout->addWidget(SkinDesc);
    layout->addWidget(SkinCom);
    layout->addWidget(
        new QLabel(QStringLiteral("A skin chosen here dresses the player at once."), page));
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

QWidget* frmConfig::buildSubtitlesPage() {
    auto* page = named(new QWidget, "PageSubtitles");
    auto* engine = frame("Internal Subtitles Engine", page);
    MyFontName = named(new QLabel(engine), "MyFontName");
    MyFontSize = named(new QLabel(engine), "MyFontSize");
    for (QLabel* label : {MyFontName, MyFontSize})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    MyFontColor = named(new QLabel(engine), "MyFontColor");
    MyFontColor->setMinimumSize(32, 16);
    Command4 = button("Command4", "Choose...", engine);

    // Digits only; a number above 255 is cut back when it is set.
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), engine);
    auto colourBox = [&](const char* name) {
        auto* box = named(new QLineEdit(engine), name);
        box->setValidator(digits);
        box->setMaximumWidth(48);
        return box;
    };
    ColorR = colourBox("ColorR");
    ColorG = colourBox("ColorG");
    ColorB = colourBox("ColorB");
    ChkAutoRGB = checkBox("ChkAutoRGB", "Autodetect RGB color transparancy", engine);
    Command5 = button("Command5", "Redetect", engine);
    SubYpos = named(new QLineEdit(engine), "SubYpos");
    Combo3 = named(new QComboBox(engine), "Combo3");
    SubBegin = makeSlider(QStringLiteral("SubBegin"), -20, 20, 1, 5, 0);
    SubDisp = makeSlider(QStringLiteral("SubDisp"), -2, 15, 1, 5, 0);

    auto* font = new QHBoxLayout;
    font->addWidget(MyFontName);
    font->addWidget(MyFontSize);
    font->addWidget(MyFontColor);
    font->addWidget(Command4);
    font->addStretch();
    auto* key = new QHBoxLayout;
    key->addWidget(ColorR);
    key->addWidget(ColorG);
    key->addWidget(ColorB);
    key->addWidget(ChkAutoRGB);
    key->addWidget(Command5);
    key->addStretch();
    auto* layout = new QFormLayout(engine);
    layout->addRow(QStringLiteral("Font"), font);
    layout->addRow(QStringLiteral("Transparent colour (R, G, B)"), key);
    layout->addRow(QStringLiteral("Vertical position (%)"), SubYpos);
    layout->addRow(QStringLiteral("Character set"), Combo3);
    layout->addRow(QStringLiteral("Delay (s)"), SubBegin);
    layout->addRow(QStringLiteral("Extra duration (s)"), SubDisp);
    (new QVBoxLayout(page))->addWidget(engine);
    return page;
}

void frmConfig::wireControls() {
    // Only the user's actions arrive here; loading runs the handlers itself.
    connect(Command1, &QPushButton::clicked, this, &frmConfig::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmConfig::Command3_Click);
    connect(Image3, &QToolButton::clicked, this, &frmConfig::Image3_Click);
    connect(CheckRes, &QCheckBox::clicked, this, &frmConfig::CheckRes_Click);
    connect(ChkAutoRGB, &QCheckBox::clicked, this, &frmConfig::ChkAutoRGB_Click);
    // Another speaker mode changes the decoder's settings: the movie is
    // opened again on Ok for it to take effect.
    connect(Combo1, &QComboBox::activated, this, [this] {
        Combo1_Click();
        RegChanged = true;
    });
    connect(Combo3, &QComboBox::activated, this, &frmConfig::Combo3_Click);
    // A new device only plays in a newly built graph.
    connect(Combo2, &QComboBox::activated, this, [this] { RegChanged = true; });
    for (QComboBox* box : {cmbres, cmbcols, cmbHz})
        connect(box, &QComboBox::currentIndexChanged, this, &frmConfig::pushDisplayModes);
    for (QLineEdit* box : {ColorR, ColorG, ColorB})
        connect(box, &QLineEdit::textChanged, this, [this, box] { colourBoxChanged(box); });
    connect(Command4, &QPushButton::clicked, this, &frmConfig::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmConfig::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmConfig::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &frmConfig::Command7_Click);
    connect(Command12, &QPushButton::clicked, this, &frmConfig::Command12_Click);
    connect(Command11, &QPushButton::clicked, this, &frmConfig::Command11_Click);
    connect(Dir1, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { setSkinFolder(dirModel_->filePath(index)); });

    auto hook = [this](std::function<void()> ConfigHooks::*member) {
        return [this, member] {
            if (hooks.*member)
                (hooks.*member)();
        };
    };
    connect(Command2, &QPushButton::clicked, this, hook(&ConfigHooks::registerFileTypes));
    connect(Command8, &QPushButton::clicked, this, &frmConfig::Command8_Click);
    // Enter in the preset box adds the preset; it must not reach Ok.
    Dartxt->installEventFilter(this);
    connect(Command9, &QPushButton::clicked, this, &frmConfig::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &frmConfig::Command10_Click);
    connect(&DAR, &SelectableList::clicked, this, hook(&ConfigHooks::applyDAR));
    // A control whose work has no one to do it is shown, but cannot be used.
    Command4->setEnabled(bool(hooks.applySubtitleFont));
    Combo3->setEnabled(bool(hooks.applyCharacterSet));

    auto openLink = [this](const QString& url) {
        if (hooks.openUrl)
            hooks.openUrl(QUrl(url));
        else
            QDesktopServices::openUrl(QUrl(url));
    };
    connect(Label30, &QLabel::linkActivated, this, openLink);
    connect(Label32, &QLabel::linkActivated, this, openLink);

    // Any move of a decoder slider by the user changes what the decoders get.
    QList<QSlider*> decoders{CpuCal, PostCpu, Bness,  Contrast,  Saturation,
                             Hue,    PPLevel, Bness4, Contrast4, Saturation4};
    for (QSlider* slider : SlideWma)
        decoders.append(slider);
    for (QSlider* slider : decoders)
        connect(slider, &QSlider::actionTriggered, this, [this] { RegChanged = true; });
    for (QSlider* slider : SlideWma) {
        connect(slider, &QSlider::sliderMoved, slider, [slider](int value) {
            slider->setToolTip(equaliserToolTip(value));
            slider->update();
        });
    }
}

bool frmConfig::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Dartxt && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Command8_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

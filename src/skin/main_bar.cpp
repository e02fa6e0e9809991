#include "skin/main_bar.h"

#include "player/time_text.h"
#include "skin/skin_image.h"
#include "skin/skin_window.h"
#include "skin/text_scroller.h"
#include "support/controls/progress_bar.h"

#include <QLabel>

namespace {
QLabel* skinLabel(QWidget* parent, const char* name, const QString& text, QRect design) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(design);
    return label;
}
} // namespace

MainBar::MainBar(SkinWindow& window, std::function<QString()> skinFolder)
    : window_(window), skinFolder_(std::move(skinFolder)) {
    // Every control starts where a plain bar would have it, in case the
    // skin leaves it out.
    vbwScroller1 =
        skinLabel(&window, "vbwScroller1", QStringLiteral("File Mode"), {10, 6, 330, 16});
    vbwScroller1->hide();
    vbwScroller2 = new TextScroller(&window);
    vbwScroller2->setGeometry(vbwScroller1->geometry());
    vbwScroller2->hide(); // the skin loader shows it
    tempslbl = skinLabel(&window, "tempslbl", formatTime(0), {10, 44, 60, 16});
    tempec = skinLabel(&window, "tempec", formatTime(0), {75, 44, 60, 16});
    vsize = skinLabel(&window, "vsize", QString(), {290, 44, 150, 16});

    PBar1 = new cpvProgressBar(&window);
    PBar1->setObjectName(QStringLiteral("PBar1"));
    PBar1->setGeometry(10, 28, 433, 10);
    PBar1->setMax(1);
    PBar1->setCaptionFormat(-1); // no caption: the time labels tell the position

    buildButtons();
    Shape2 = new QWidget(&window);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->hide();
    placeElements();
}

SkinImage* MainBar::addButton(const char* name, const char* pressedBitmap, const QString& toolTip,
                              const QString& fallback, QRect design) {
    auto* button =
        new SkinImage(QString::fromLatin1(name), QString::fromLatin1(pressedBitmap), &window_);
    button->skinFolder = skinFolder_;
    button->setToolTip(toolTip);
    button->setFallbackText(fallback);
    button->setGeometry(design);
    return button;
}

void MainBar::buildButtons() {
    constexpr int row = 66;
    prev = addButton("prev", "bprev.bmp", QStringLiteral("Previous (W)"), QStringLiteral("|<"),
                     {10, row, 32, 30});
    play = addButton("play", "bplay.bmp", QStringLiteral("Play (X)"), QStringLiteral("Play"),
                     {44, row, 40, 30});
    pause = addButton("pause", "bpause.bmp", QStringLiteral("Pause (C)"), QStringLiteral("||"),
                      {86, row, 32, 30});
    stopbt = addButton("stopbt", "bstop.bmp", QStringLiteral("Stop (V)"), QStringLiteral("Stop"),
                       {120, row, 36, 30});
    nextbt = addButton("nextbt", "bnext.bmp", QStringLiteral("Next (B)"), QStringLiteral(">|"),
                       {158, row, 32, 30});
    ouvrir = addButton("ouvrir", "beject.bmp", QStringLiteral("Open a single file (O)"),
                       QStringLiteral("Open"), {198, row, 40, 30});
    playlbt = addButton("playlbt", "bpl.bmp", QStringLiteral("Playlist (P)"),
                        QStringLiteral("List"), {240, row, 34, 30});
    enablefs = addButton("enablefs", "bfs.bmp", QStringLiteral("Fullscreen mode (Z)"),
                         QStringLiteral("Full"), {276, row, 34, 30});
    conf = addButton("conf", "boption.bmp", QStringLiteral("Configuration"),
                     QStringLiteral("Setup"), {312, row, 40, 30});
    PanScanPad = addButton("PanScanPad", "bpad.bmp", QStringLiteral("PanScan Pad"),
                           QStringLiteral("Pad"), {354, row, 26, 30});
    Image7 = addButton("Image7", "bmin.bmp", QString(), QStringLiteral("_"), {405, 4, 16, 14});
    Image6 = addButton("Image6", "bclose.bmp", QString(), QStringLiteral("x"), {425, 4, 16, 14});
    Image1 = addButton("Image1", "bq.bmp", QString(), QStringLiteral("q"), {385, 4, 16, 14});
    // The pan-and-scan pad's arrows: click areas the skin draws.
    pgh = addButton("pgh", "", QString(), QString(), {0, 0, 0, 0});
    Ph = addButton("Ph", "", QString(), QString(), {0, 0, 0, 0});
    Pg = addButton("Pg", "", QString(), QString(), {0, 0, 0, 0});
    Pd = addButton("Pd", "", QString(), QString(), {0, 0, 0, 0});
    pbd = addButton("pbd", "", QString(), QString(), {0, 0, 0, 0});
    Pb = addButton("Pb", "", QString(), QString(), {0, 0, 0, 0});
    Opsub = addButton("Opsub", "", QStringLiteral("Open AVi with Sub"), QString(), {0, 0, 0, 0});
    Opsub->hide();
    Image9 = addButton("Image9", "bplus.bmp", QString(), QStringLiteral("+"), {380, 66, 20, 14});
    Image8 = addButton("Image8", "bminus.bmp", QString(), QStringLiteral("-"), {380, 82, 20, 14});
    VolSlider =
        addButton("VolSlider", "", QStringLiteral("Mute Sound"), QString(), {404, 66, 40, 14});
    SoundType = addButton("SoundType", "", QString(), QString(), {404, 82, 40, 14});
}

// Which controls each element of the skin description moves.
void MainBar::placeElements() {
    using E = SkinElement;
    const std::pair<SkinElement, std::vector<QWidget*>> elements[] = {
        {E::VolumeUp, {Image9}},
        {E::VolumeDown, {Image8}},
        {E::SecondClose, {Image1}},
        {E::VolumeMeter, {VolSlider}},
        {E::ScrollName, {vbwScroller1, vbwScroller2}},
        {E::SoundType, {SoundType}},
        {E::TotalTime, {tempec}},
        {E::ElapsedTime, {tempslbl}},
        {E::Previous, {prev}},
        {E::Play, {play}},
        {E::Pause, {pause}},
        {E::Stop, {stopbt}},
        {E::Next, {nextbt}},
        {E::FullScreen, {enablefs}},
        {E::Playlist, {playlbt}},
        {E::Open, {ouvrir}},
        {E::Config, {conf}},
        {E::OpenPad, {PanScanPad}},
        {E::ClosePlayer, {Image6}},
        {E::MinPlayer, {Image7}},
        {E::PadLeftUp, {pgh}},
        {E::PadUp, {Ph}},
        {E::PadLeft, {Pg}},
        {E::PadRight, {Pd}},
        {E::PadDownRight, {pbd}},
        {E::PadDown, {Pb}},
        {E::SizeLabel, {vsize}},
        {E::ProgressBar, {PBar1}},
    };
    static_assert(std::size(elements) == kSkinElementCount);
    for (const auto& [element, controls] : elements)
        window_.setElementControls(element, controls);
}

void MainBar::setTitle(const QString& title) {
    vbwScroller1->setText(title);
    vbwScroller2->setText(title); // the label's change handler
}

QString MainBar::title() const {
    return vbwScroller2->text();
}

void MainBar::applyColours(const SkinDescription& skin) {
    if (const std::optional<QColor> font = skin.fontColor()) {
        for (QLabel* label : {tempec, tempslbl, vsize, vbwScroller1}) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, *font);
            label->setPalette(palette);
        }
        vbwScroller2->setForeground(*font);
    }
    if (const std::optional<QColor> strip = skin.scrollNameColor())
        vbwScroller2->setBackground(*strip);
}

void MainBar::setFallbackVisible(bool visible) {
    for (SkinImage* image : window_.findChildren<SkinImage*>(Qt::FindDirectChildrenOnly))
        image->setFallbackVisible(visible);
}

void MainBar::showPicture(SkinImage* control, const QImage& picture) {
    if (!picture.isNull())
        control->setPicture(picture);
}

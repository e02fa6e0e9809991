// Draws the built-in skins. Each skin is a layout (where every element
// sits, in pixels), a palette and a body painter; buttons, the pan-and-scan
// pad, the seek bar, the volume meter and the audio-mode badge are drawn by
// shared code from the palette.
#include "skingen.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>
#include <optional>

namespace {

struct ElementInfo {
    const char* name;
    const char* pressedPicture; // nullptr: no pressed picture
};

constexpr std::array<ElementInfo, kElementCount> kElements = {{
    {"Vol+", "bplus.bmp"},         {"Vol-", "bminus.bmp"},
    {"Qbutton", "bq.bmp"},         {"VolMeter", nullptr},
    {"ScrollName", nullptr},       {"SoundType", nullptr},
    {"TotalTime", nullptr},        {"ElapsedTime", nullptr},
    {"Previous", "bprev.bmp"},     {"Play", "bplay.bmp"},
    {"Pause", "bpause.bmp"},       {"Stop", "bstop.bmp"},
    {"Next", "bnext.bmp"},         {"Fscreen", "bfs.bmp"},
    {"Playlst", "bpl.bmp"},        {"Open", "beject.bmp"},
    {"Config", "boption.bmp"},     {"OpenPad", "bpad.bmp"},
    {"ClosePlayer", "bclose.bmp"}, {"MinPlayer", "bmin.bmp"},
    {"PadLeftUp", nullptr},        {"PadUp", nullptr},
    {"PadLeft", nullptr},          {"PadRight", nullptr},
    {"PadDownRight", nullptr},     {"PadDown", nullptr},
    {"SizeLabel", nullptr},        {"Pbar", nullptr},
}};

struct AudioMode {
    const char* file;
    const char* text;
};

constexpr std::array<AudioMode, 7> kAudioModes = {{
    {"Audio_Mode_41CH.BMP", "4.0"},
    {"Audio_Mode_51CH.BMP", "5.1"},
    {"Audio_Mode_DBSR.BMP", "SURR"},
    {"Audio_Mode_MONO.BMP", "MONO"},
    {"Audio_Mode_Q3D.BMP", "3D"},
    {"Audio_Mode_SPDIF.BMP", "SPDIF"},
    {"Audio_Mode_STEREO.BMP", "STEREO"},
}};

// --- Glyphs ---------------------------------------------------------------

enum class Glyph {
    Play,
    Pause,
    Stop,
    Next,
    Previous,
    Eject,
    Playlist,
    FullScreen,
    Config,
    Pad,
    Plus,
    Minus,
    Close,
    Quit,
    Minimise,
    Arrow, // points up; turned for the pad cells
    Speaker,
};

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath strokedLine(QPointF a, QPointF b, qreal width, Qt::PenCapStyle cap) {
    QPainterPath line(a);
    line.lineTo(b);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    return stroker.createStroke(line);
}

// Glyphs are drawn in a 12 x 12 box; whole units fall on pixel edges when
// the box is drawn at its natural size.
QPainterPath glyphPath(Glyph glyph) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    switch (glyph) {
    case Glyph::Play:
        path.addPath(polygonPath({{3, 1}, {11, 6}, {3, 11}}));
        break;
    case Glyph::Pause:
        path.addRect(3, 2, 2, 8);
        path.addRect(7, 2, 2, 8);
        break;
    case Glyph::Stop:
        path.addRect(2.5, 2.5, 7, 7);
        break;
    case Glyph::Next:
        path.addPath(polygonPath({{1, 2}, {5.5, 6}, {1, 10}}));
        path.addPath(polygonPath({{5, 2}, {9.5, 6}, {5, 10}}));
        path.addRect(9.5, 2, 1.5, 8);
        break;
    case Glyph::Previous:
        path.addRect(1, 2, 1.5, 8);
        path.addPath(polygonPath({{7, 2}, {2.5, 6}, {7, 10}}));
        path.addPath(polygonPath({{11, 2}, {6.5, 6}, {11, 10}}));
        break;
    case Glyph::Eject:
        path.addPath(polygonPath({{1, 7}, {6, 2}, {11, 7}}));
        path.addRect(1, 8.5, 10, 1.5);
        break;
    case Glyph::Playlist:
        for (int row = 0; row < 3; ++row) {
            const qreal y = 2.5 + row * 3;
            path.addRect(1, y, 1.5, 1.5);
            path.addRect(4, y, row == 2 ? 4.5 : 7, 1.5);
        }
        path.addPath(polygonPath({{9, 8}, {11.5, 9.75}, {9, 11.5}}));
        break;
    case Glyph::FullScreen:
        // Four corner brackets.
        for (qreal x : {1.0, 9.0}) {
            for (qreal y : {1.0, 9.0}) {
                path.addRect(x == 1 ? 1 : 7, y, 4, 2);
                path.addRect(x, y == 1 ? 1 : 7, 2, 4);
            }
        }
        break;
    case Glyph::Config: {
        QPainterPath gear;
        gear.addEllipse(QPointF(6, 6), 4.1, 4.1);
        for (int i = 0; i < 6; ++i) {
            QPainterPath tooth;
            tooth.addRect(QRectF(-1.25, -6, 2.5, 3));
            gear = gear.united(QTransform().translate(6, 6).rotate(i * 60.0).map(tooth));
        }
        QPainterPath hole;
        hole.addEllipse(QPointF(6, 6), 2, 2);
        path = gear.subtracted(hole); // keeps the hole open
        break;
    }
    case Glyph::Pad:
        path.addPath(polygonPath({{6, 0.5}, {8.5, 3.5}, {3.5, 3.5}}));
        path.addPath(polygonPath({{6, 11.5}, {8.5, 8.5}, {3.5, 8.5}}));
        path.addPath(polygonPath({{0.5, 6}, {3.5, 3.5}, {3.5, 8.5}}));
        path.addPath(polygonPath({{11.5, 6}, {8.5, 3.5}, {8.5, 8.5}}));
        path.addEllipse(QPointF(6, 6), 1.4, 1.4);
        break;
    case Glyph::Plus:
        path.addRect(5, 2, 2, 8);
        path.addRect(2, 5, 8, 2);
        break;
    case Glyph::Minus:
        path.addRect(2, 5, 8, 2);
        break;
    case Glyph::Close:
        path.addPath(strokedLine({3, 3}, {9, 9}, 1.8, Qt::FlatCap));
        path.addPath(strokedLine({9, 3}, {3, 9}, 1.8, Qt::FlatCap));
        break;
    case Glyph::Quit: {
        QPainterPath ring;
        ring.addEllipse(QPointF(6, 6.5), 4.5, 4.5);
        QPainterPath inner;
        inner.addEllipse(QPointF(6, 6.5), 3, 3);
        ring = ring.subtracted(inner);
        QPainterPath gap;
        gap.addRect(4.2, 0, 3.6, 6);
        QPainterPath bar;
        bar.addRect(5.25, 1, 1.5, 5);
        path = ring.subtracted(gap).united(bar);
        break;
    }
    case Glyph::Minimise:
        path.addRect(2, 8, 8, 2);
        break;
    case Glyph::Speaker: {
        path.addPath(
            polygonPath({{1, 4.5}, {3.5, 4.5}, {7, 1.5}, {7, 10.5}, {3.5, 7.5}, {1, 7.5}}));
        QPainterPath wave;
        wave.arcMoveTo(QRectF(5, 3, 6, 6), 50);
        wave.arcTo(QRectF(5, 3, 6, 6), 50, -100);
        QPainterPathStroker stroker;
        stroker.setWidth(1.2);
        path.addPath(stroker.createStroke(wave));
        break;
    }
    case Glyph::Arrow:
        path.addPath(polygonPath({{6, 1.5}, {10.5, 6.5}, {1.5, 6.5}}));
        path.addRect(4.75, 6.5, 2.5, 4);
        break;
    }
    return path;
}

// Draws `glyph` scaled to `size` pixels, centred on `center`, turned by
// `angle` degrees.
void paintGlyph(QPainter& p, Glyph glyph, QPointF center, qreal size, const QColor& color,
                qreal angle = 0) {
    QTransform t;
    t.translate(center.x(), center.y());
    t.rotate(angle);
    t.scale(size / 12.0, size / 12.0);
    t.translate(-6, -6);
    p.fillPath(t.map(glyphPath(glyph)), color);
}

// --- Palettes and designs -------------------------------------------------

struct Palette {
    QColor bodyTop, bodyBottom, bodyBorder, bodyHighlight, bodyShade;
    QColor panel, panelShadow, panelHighlight;
    QColor capTop, capBottom, capBorder, capHighlight;
    QColor capDownTop, capDownBottom;
    QColor icon, iconDown, closeDown;
    QColor accent, accentLight, accentDark;
    QColor meterOff, groove, badgeText;
    QColor font, scrollStrip, wordmark, caption;
};

enum class CapShape { Rounded, Round };

struct Design;
using BodyPainter = void (*)(QPainter&, const Design&);
using MeterPainter = void (*)(QPainter&, const Design&, int level);

struct Design {
    QString folder;
    QString name;
    QString comment;
    QSize size;
    QPainterPath outline;
    std::array<QRect, kElementCount> rects{};
    Palette colors;
    CapShape caps = CapShape::Rounded;
    BodyPainter paintBody = nullptr;
    MeterPainter paintMeter = nullptr;

    QRect rect(Element e) const { return rects[std::size_t(e)]; }
    void place(Element e, int x, int y, int w, int h) { rects[std::size_t(e)] = QRect(x, y, w, h); }
};

// The pan-and-scan pad's six cells on a 3 x 3 grid of `cell` pixels: the
// corners top-left and bottom-right, the four sides, no centre.
void placePad(Design& d, int x, int y, int cell) {
    d.place(Element::PadLeftUp, x, y, cell, cell);
    d.place(Element::PadUp, x + cell, y, cell, cell);
    d.place(Element::PadLeft, x, y + cell, cell, cell);
    d.place(Element::PadRight, x + 2 * cell, y + cell, cell, cell);
    d.place(Element::PadDownRight, x + 2 * cell, y + 2 * cell, cell, cell);
    d.place(Element::PadDown, x + cell, y + 2 * cell, cell, cell);
}

QFont pixelFont(int pixelSize, bool bold, qreal spacing = 0) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (spacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

// A rectangle of whole pixels as the area its pixels cover, shrunk by `d`.
QRectF area(const QRect& r, qreal d = 0) {
    return QRectF(r).adjusted(d, d, -d, -d);
}

QRect unite(const Design& d, std::initializer_list<Element> elements) {
    QRect r;
    for (Element e : elements)
        r = r.united(d.rect(e));
    return r;
}

// The body: gradient fill, a highlight just inside the top edge and a dark
// one-pixel rim. The rim is the outline's own stroke; the half of it that
// falls outside is cut away with the key colour.
void paintBodySurface(QPainter& p, const Design& d) {
    const Palette& c = d.colors;
    QLinearGradient fill(0, 0, 0, d.size.height());
    fill.setColorAt(0, c.bodyTop);
    fill.setColorAt(1, c.bodyBottom);
    p.fillRect(QRect(QPoint(0, 0), d.size), fill);

    QLinearGradient rim(0, 0, 0, d.size.height());
    rim.setColorAt(0, c.bodyHighlight);
    rim.setColorAt(0.35, Qt::transparent);
    rim.setColorAt(0.75, Qt::transparent);
    rim.setColorAt(1, c.bodyShade);
    p.strokePath(d.outline, QPen(QBrush(rim), 4.5));
    p.strokePath(d.outline, QPen(c.bodyBorder, 2));
}

// A recessed well: dark inner rim at the top, a light lip at the bottom.
void paintRecess(QPainter& p, const QRectF& r, qreal radius, const Palette& c,
                 std::optional<QColor> fill = std::nullopt) {
    p.setPen(Qt::NoPen);
    p.setBrush(c.panelHighlight);
    p.drawRoundedRect(r, radius, radius);
    p.setBrush(c.panelShadow);
    p.drawRoundedRect(r.adjusted(0, 0, 0, -1), radius, radius);
    p.setBrush(fill.value_or(c.panel));
    p.drawRoundedRect(r.adjusted(1, 1.5, -1, -1.5), radius - 1, radius - 1);
    p.setBrush(Qt::NoBrush);
}

void paintRoundRecess(QPainter& p, QPointF center, qreal radius, const Palette& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c.panelHighlight);
    p.drawEllipse(center + QPointF(0, 0.5), radius, radius);
    p.setBrush(c.panelShadow);
    p.drawEllipse(center - QPointF(0, 0.5), radius, radius);
    p.setBrush(c.panel);
    p.drawEllipse(center, radius - 1.2, radius - 1.2);
    p.setBrush(Qt::NoBrush);
}

// The buttons and their icons.
struct Button {
    Element element;
    Glyph glyph;
};

constexpr std::array<Button, 15> kButtons = {{
    {Element::VolumeUp, Glyph::Plus},
    {Element::VolumeDown, Glyph::Minus},
    {Element::SecondClose, Glyph::Quit},
    {Element::Previous, Glyph::Previous},
    {Element::Play, Glyph::Play},
    {Element::Pause, Glyph::Pause},
    {Element::Stop, Glyph::Stop},
    {Element::Next, Glyph::Next},
    {Element::FullScreen, Glyph::FullScreen},
    {Element::Playlist, Glyph::Playlist},
    {Element::Open, Glyph::Eject},
    {Element::Config, Glyph::Config},
    {Element::OpenPad, Glyph::Pad},
    {Element::ClosePlayer, Glyph::Close},
    {Element::MinPlayer, Glyph::Minimise},
}};

// A key cap filling the button's rectangle, its icon in the middle. The
// pressed cap sits a pixel lower, lit from below, with the icon in the
// accent colour and a pixel lower and to the right.
void paintButton(QPainter& p, const Design& d, const Button& button, bool pressed) {
    const Palette& c = d.colors;
    const Element e = button.element;
    const QRectF r = area(d.rect(e));
    const bool round = d.caps == CapShape::Round;
    const qreal side = std::min(r.width(), r.height());
    const QRectF box =
        round ? QRectF(r.center() - QPointF(side / 2, side / 2), QSizeF(side, side)) : r;
    const qreal radius = round ? side / 2 : std::min(4.0, side / 4);
    auto capPath = [&](const QRectF& rr, qreal rad) {
        QPainterPath path;
        if (round)
            path.addEllipse(rr);
        else
            path.addRoundedRect(rr, rad, rad);
        return path;
    };

    // The rim under the cap: its shadow when up, the socket when down.
    p.fillPath(capPath(box, radius), c.capBorder);

    const QRectF face = pressed ? box.adjusted(1, 2, -1, -1) : box.adjusted(1, 1, -1, -2);
    QLinearGradient grad(face.topLeft(), face.bottomLeft());
    grad.setColorAt(0, pressed ? c.capDownTop : c.capTop);
    grad.setColorAt(1, pressed ? c.capDownBottom : c.capBottom);
    const qreal faceRadius = round ? face.height() / 2 : radius - 1;
    p.fillPath(capPath(face, faceRadius), grad);
    if (!pressed) {
        // A thin light lip along the top of the cap.
        QPainterPath lip =
            capPath(face, faceRadius).subtracted(capPath(face.adjusted(0, 1, 0, 0), faceRadius));
        p.fillPath(lip, c.capHighlight);
    } else {
        QPainterPath shade =
            capPath(face, faceRadius).subtracted(capPath(face.adjusted(0, 1.5, 0, 0), faceRadius));
        p.fillPath(shade, QColor(0, 0, 0, 70));
    }

    const qreal iconSize = side < 14 ? 8 : side < 21 ? 10 : 12;
    QPointF center(std::round(face.center().x()), std::round(face.center().y()));
    QColor iconColor = c.icon;
    if (pressed) {
        center += QPointF(1, 0);
        const bool closing = e == Element::ClosePlayer || e == Element::SecondClose;
        iconColor = closing ? c.closeDown : c.iconDown;
    }
    paintGlyph(p, button.glyph, center, iconSize, iconColor);
}

// The pan-and-scan pad: six arrow cells around a centre dot. Each arrow
// points the way the picture's frame grows or shrinks.
void paintPad(QPainter& p, const Design& d) {
    struct Cell {
        Element element;
        qreal angle;
    };
    const Cell cells[] = {{Element::PadLeftUp, -45},    {Element::PadUp, 0},
                          {Element::PadLeft, -90},      {Element::PadRight, 90},
                          {Element::PadDownRight, 135}, {Element::PadDown, 180}};
    for (const Cell& cell : cells) {
        const QRectF r = area(d.rect(cell.element));
        const bool diagonal = int(cell.angle) % 90 != 0;
        paintGlyph(p, Glyph::Arrow, r.center(), diagonal ? 10 : 9, d.colors.icon, cell.angle);
    }
    const QRect all = unite(d, {Element::PadLeftUp, Element::PadDownRight});
    p.setPen(Qt::NoPen);
    p.setBrush(d.colors.accent);
    p.drawEllipse(QRectF(all).center(), 1.8, 1.8);
    p.setBrush(Qt::NoBrush);
}

// The seek bar's groove, filled up to `fill` (0..1) with the accent.
void paintSeekBar(QPainter& p, const Design& d, qreal fill) {
    const Palette& c = d.colors;
    const QRectF r = area(d.rect(Element::ProgressBar));
    const qreal radius = r.height() / 2;
    paintRecess(p, r, radius, c, c.groove);
    if (fill <= 0)
        return;
    const QRectF inner = r.adjusted(1.5, 2, -1.5, -2);
    QRectF filled = inner;
    filled.setWidth(inner.width() * fill);
    QLinearGradient grad(inner.topLeft(), inner.bottomLeft());
    grad.setColorAt(0, c.accentLight);
    grad.setColorAt(0.5, c.accent);
    grad.setColorAt(1, c.accentDark);
    const qreal ir = inner.height() / 2;
    QPainterPath bar;
    bar.addRoundedRect(filled, ir, ir);
    p.fillPath(bar, grad);
}

// The audio-mode badge: a framed label, empty on the window's own picture.
void paintModeBadge(QPainter& p, const Design& d, const QString& text) {
    const Palette& c = d.colors;
    const QRectF r = area(d.rect(Element::SoundType), 0.5);
    QColor frame = c.accent;
    frame.setAlpha(text.isEmpty() ? 90 : 200);
    p.setPen(QPen(frame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 3, 3);
    if (text.isEmpty())
        return;
    p.setFont(pixelFont(10, true, 0.6));
    p.setPen(c.badgeText);
    p.drawText(QRectF(d.rect(Element::SoundType)), Qt::AlignCenter, text);
}

// --- The default skin -----------------------------------------------------

// Rising bars, one lit per level above the first.
void paintBarMeter(QPainter& p, const Design& d, int level) {
    const Palette& c = d.colors;
    const QRect r = d.rect(Element::VolumeMeter);
    paintRecess(p, area(r), 3, c);
    constexpr int kBars = kVolumeLevels - 1;
    constexpr int kPitch = 4;
    const int left = r.x() + (r.width() - (kBars * kPitch - 1)) / 2;
    const int bottom = r.bottom() - 3;
    const int tallest = r.height() - 7;
    for (int i = 0; i < kBars; ++i) {
        const int h = 3 + (tallest - 3) * i / (kBars - 1);
        const QRect bar(left + i * kPitch, bottom - h + 1, kPitch - 1, h);
        if (i < level - 1) {
            QLinearGradient g(bar.topLeft(), bar.bottomLeft());
            g.setColorAt(0, c.accentLight);
            g.setColorAt(1, c.accent);
            p.fillRect(bar, g);
        } else {
            p.fillRect(bar, c.meterOff);
        }
    }
}

void paintWordmark(QPainter& p, QPointF origin, const QColor& first, const QColor& second,
                   int pixelSize) {
    const QFont bold = pixelFont(pixelSize, true, 1.8);
    const QFont light = pixelFont(pixelSize, false, 1.8);
    p.setFont(bold);
    p.setPen(first);
    const QString vantor = QStringLiteral("VANTOR");
    p.drawText(origin, vantor);
    const qreal advance = QFontMetricsF(bold).horizontalAdvance(vantor) + 4;
    p.setFont(light);
    p.setPen(second);
    p.drawText(origin + QPointF(advance, 0), QStringLiteral("MERIDIAN"));
}

qreal wordmarkWidth(int pixelSize) {
    return QFontMetricsF(pixelFont(pixelSize, true, 1.8))
               .horizontalAdvance(QStringLiteral("VANTOR")) +
           4 +
           QFontMetricsF(pixelFont(pixelSize, false, 1.8))
               .horizontalAdvance(QStringLiteral("MERIDIAN"));
}

void paintCaption(QPainter& p, const Design& d, const QRectF& r, const QString& text,
                  Qt::Alignment align) {
    p.setFont(pixelFont(8, true, 1.0));
    p.setPen(d.colors.caption);
    p.drawText(r, align, text);
}

void paintTimeSeparator(QPainter& p, const Design& d) {
    const QRect elapsed = d.rect(Element::ElapsedTime);
    const QRect total = d.rect(Element::TotalTime);
    const QRectF gap(elapsed.right() + 1, elapsed.top(), total.left() - elapsed.right() - 1,
                     elapsed.height());
    p.setFont(pixelFont(11, false));
    p.setPen(d.colors.caption);
    p.drawText(gap, Qt::AlignCenter, QStringLiteral("/"));
}

void paintGraphiteBody(QPainter& p, const Design& d) {
    const Palette& c = d.colors;
    paintBodySurface(p, d);
    const int w = d.size.width();

    // Title row: wordmark, then a groove across the window.
    p.setPen(Qt::NoPen);
    p.setBrush(c.accent);
    p.drawRoundedRect(QRectF(14, 9, 3, 10), 1.5, 1.5);
    p.setBrush(Qt::NoBrush);
    paintWordmark(p, QPointF(23, 18), c.wordmark, c.accentLight, 10);
    p.fillRect(QRectF(10, 25, w - 20, 1), c.panelShadow);
    p.fillRect(QRectF(10, 26, w - 20, 1), QColor(255, 255, 255, 18));

    // The display: scrolling name, mode badge, times and picture size.
    const QRect display = unite(d, {Element::ScrollName, Element::SoundType, Element::ElapsedTime,
                                    Element::SizeLabel})
                              .adjusted(-6, -5, 6, 6);
    paintRecess(p, area(display), 5, c);
    p.fillRect(d.rect(Element::ScrollName), c.scrollStrip);
    paintTimeSeparator(p, d);

    // Volume and the pad on the right.
    const QRect vol = unite(d, {Element::VolumeDown, Element::VolumeUp});
    paintCaption(p, d, QRectF(vol.left(), vol.bottom() + 3, vol.width(), 10),
                 QStringLiteral("VOLUME"), Qt::AlignRight | Qt::AlignTop);
    const QRect pad = unite(d, {Element::PadLeftUp, Element::PadDownRight});
    paintRecess(p, area(pad.adjusted(-3, -3, 3, 3)), 5, c);
    paintCaption(p, d, QRectF(pad.right() + 10, pad.top() + 6, 80, 10),
                 QStringLiteral("PAN & SCAN"), Qt::AlignLeft | Qt::AlignTop);
    p.fillRect(QRectF(pad.right() + 10, pad.top() + 19, 58, 1), c.panelShadow);
    p.fillRect(QRectF(pad.right() + 10, pad.top() + 20, 58, 1), QColor(255, 255, 255, 18));
}

Design graphiteDesign() {
    Design d;
    d.folder = QStringLiteral("WinDVD");
    d.name = QStringLiteral("WinDVD");
    d.comment = QStringLiteral("The default skin: graphite with blue accents.");
    d.size = QSize(500, 124);
    d.outline.addRoundedRect(QRectF(QPointF(0, 0), d.size), 10, 10);
    d.caps = CapShape::Rounded;
    d.paintBody = paintGraphiteBody;
    d.paintMeter = paintBarMeter;

    Palette& c = d.colors;
    c.bodyTop = QColor(64, 68, 77);
    c.bodyBottom = QColor(35, 38, 44);
    c.bodyBorder = QColor(12, 14, 17);
    c.bodyHighlight = QColor(255, 255, 255, 60);
    c.bodyShade = QColor(0, 0, 0, 60);
    c.panel = QColor(24, 28, 34);
    c.panelShadow = QColor(10, 12, 15);
    c.panelHighlight = QColor(86, 92, 102);
    c.capTop = QColor(88, 94, 105);
    c.capBottom = QColor(58, 62, 71);
    c.capBorder = QColor(14, 16, 20);
    c.capHighlight = QColor(255, 255, 255, 55);
    c.capDownTop = QColor(28, 32, 38);
    c.capDownBottom = QColor(44, 49, 57);
    c.icon = QColor(214, 220, 230);
    c.iconDown = QColor(110, 186, 255);
    c.closeDown = QColor(255, 110, 100);
    c.accent = QColor(58, 146, 236);
    c.accentLight = QColor(128, 196, 255);
    c.accentDark = QColor(28, 92, 172);
    c.meterOff = QColor(50, 56, 66);
    c.groove = QColor(16, 19, 24);
    c.badgeText = QColor(128, 196, 255);
    c.font = QColor(220, 225, 235);
    c.scrollStrip = QColor(20, 24, 30);
    c.wordmark = QColor(206, 212, 222);
    c.caption = QColor(128, 136, 150);

    // Title row.
    d.place(Element::MinPlayer, 446, 6, 20, 15);
    d.place(Element::ClosePlayer, 470, 6, 20, 15);
    // Display.
    d.place(Element::ScrollName, 16, 34, 252, 17);
    d.place(Element::SoundType, 274, 34, 64, 17);
    d.place(Element::ElapsedTime, 16, 55, 58, 16);
    d.place(Element::TotalTime, 86, 55, 58, 16);
    d.place(Element::SizeLabel, 190, 55, 148, 16);
    // Seek bar and the button row under it.
    d.place(Element::ProgressBar, 10, 84, 334, 10);
    constexpr int kRow = 98, kW = 28, kH = 21;
    d.place(Element::Previous, 10, kRow, kW, kH);
    d.place(Element::Play, 41, kRow, kW, kH);
    d.place(Element::Pause, 72, kRow, kW, kH);
    d.place(Element::Stop, 103, kRow, kW, kH);
    d.place(Element::Next, 134, kRow, kW, kH);
    d.place(Element::Open, 172, kRow, kW, kH);
    d.place(Element::Playlist, 223, kRow, kW, kH);
    d.place(Element::FullScreen, 254, kRow, kW, kH);
    d.place(Element::Config, 285, kRow, kW, kH);
    d.place(Element::OpenPad, 316, kRow, kW, kH);
    // Volume.
    d.place(Element::VolumeDown, 356, 33, 18, 18);
    d.place(Element::VolumeMeter, 378, 33, 90, 18);
    d.place(Element::VolumeUp, 472, 33, 18, 18);
    // Pan-and-scan pad and the small quit button.
    placePad(d, 360, 70, 13);
    d.place(Element::SecondClose, 472, 102, 18, 16);
    return d;
}

// --- The light skin -------------------------------------------------------

// A half-ring of segments, lit from the left, one per level above the first.
void paintArcMeter(QPainter& p, const Design& d, int level) {
    const Palette& c = d.colors;
    const QRectF r = area(d.rect(Element::VolumeMeter));
    constexpr int kSegments = kVolumeLevels - 1;
    const QPointF center(r.center().x(), r.bottom() - 3);
    const qreal outer = std::min(r.width() / 2 - 1, r.height() - 4);
    const qreal inner = outer - 8;
    const qreal step = 180.0 / kSegments;
    const qreal gap = 1.8;
    for (int i = 0; i < kSegments; ++i) {
        const qreal start = 180.0 - i * step - gap / 2; // degrees, counter-clockwise from 3 o'clock
        const qreal sweep = -(step - gap);
        QPainterPath seg;
        seg.arcMoveTo(QRectF(center - QPointF(outer, outer), QSizeF(2 * outer, 2 * outer)), start);
        seg.arcTo(QRectF(center - QPointF(outer, outer), QSizeF(2 * outer, 2 * outer)), start,
                  sweep);
        seg.arcTo(QRectF(center - QPointF(inner, inner), QSizeF(2 * inner, 2 * inner)),
                  start + sweep, -sweep);
        seg.closeSubpath();
        QColor color = c.meterOff;
        if (i < level - 1) {
            const qreal t = qreal(i) / (kSegments - 1);
            color = QColor::fromRgbF(
                c.accentLight.redF() + (c.accentDark.redF() - c.accentLight.redF()) * t,
                c.accentLight.greenF() + (c.accentDark.greenF() - c.accentLight.greenF()) * t,
                c.accentLight.blueF() + (c.accentDark.blueF() - c.accentLight.blueF()) * t);
        }
        p.fillPath(seg, color);
    }
}

void paintDaylightBody(QPainter& p, const Design& d) {
    const Palette& c = d.colors;
    paintBodySurface(p, d);

    // Title tab.
    const qreal tabCenter = d.size.width() / 2.0;
    const qreal mark = wordmarkWidth(10);
    const qreal markLeft = std::round(tabCenter - (mark + 10) / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(c.accent);
    p.drawEllipse(QPointF(markLeft + 2.5, 11.5), 3, 3);
    p.setBrush(Qt::NoBrush);
    paintWordmark(p, QPointF(markLeft + 10, 16), c.wordmark, c.accentDark, 10);

    // Display.
    const QRect display = unite(d, {Element::ScrollName, Element::SoundType, Element::ElapsedTime,
                                    Element::SizeLabel})
                              .adjusted(-8, -5, 6, 4);
    paintRecess(p, area(display), 8, c);
    p.fillRect(d.rect(Element::ScrollName), c.scrollStrip);
    paintTimeSeparator(p, d);

    // A speaker between the volume buttons.
    const QRectF vol = unite(d, {Element::VolumeDown, Element::VolumeUp});
    paintGlyph(p, Glyph::Speaker,
               QPointF(std::round(vol.center().x()), std::round(vol.center().y())), 10, c.caption);

    // The pad in a round well in the right end.
    const QRect pad = unite(d, {Element::PadLeftUp, Element::PadDownRight});
    paintRoundRecess(p, QRectF(pad).center(), 27, c);
}

Design daylightDesign() {
    Design d;
    d.folder = QStringLiteral("Daylight");
    d.name = QStringLiteral("Daylight");
    d.comment = QStringLiteral("A light skin with orange accents.");
    d.size = QSize(520, 118);

    // A capsule with a raised tab for the title, joined by concave fillets.
    constexpr qreal kBodyTop = 20, kTabLeft = 186, kTabWidth = 148, kFillet = 6;
    QPainterPath body;
    const qreal ends = (d.size.height() - kBodyTop) / 2; // round ends
    body.addRoundedRect(QRectF(0, kBodyTop, d.size.width(), d.size.height() - kBodyTop), ends,
                        ends);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(kTabLeft, 0, kTabWidth, kBodyTop + 20), 10, 10);
    body = body.united(tab);
    for (qreal corner : {kTabLeft - kFillet, kTabLeft + kTabWidth + kFillet}) {
        QPainterPath square;
        const qreal x = corner < kTabLeft ? corner : kTabLeft + kTabWidth;
        square.addRect(QRectF(x, kBodyTop - kFillet, kFillet, kFillet));
        QPainterPath round;
        round.addEllipse(QPointF(corner, kBodyTop - kFillet), kFillet, kFillet);
        body = body.united(square.subtracted(round));
    }
    d.outline = body.simplified();
    d.caps = CapShape::Round;
    d.paintBody = paintDaylightBody;
    d.paintMeter = paintArcMeter;

    Palette& c = d.colors;
    c.bodyTop = QColor(250, 247, 241);
    c.bodyBottom = QColor(216, 209, 198);
    c.bodyBorder = QColor(140, 128, 114);
    c.bodyHighlight = QColor(255, 255, 255, 220);
    c.bodyShade = QColor(120, 100, 80, 60);
    c.panel = QColor(252, 250, 245);
    c.panelShadow = QColor(168, 156, 142);
    c.panelHighlight = QColor(255, 255, 255);
    c.capTop = QColor(255, 254, 251);
    c.capBottom = QColor(226, 219, 208);
    c.capBorder = QColor(150, 138, 124);
    c.capHighlight = QColor(255, 255, 255, 230);
    c.capDownTop = QColor(206, 196, 182);
    c.capDownBottom = QColor(234, 227, 216);
    c.icon = QColor(74, 66, 58);
    c.iconDown = QColor(222, 104, 10);
    c.closeDown = QColor(200, 40, 30);
    c.accent = QColor(242, 132, 30);
    c.accentLight = QColor(255, 184, 96);
    c.accentDark = QColor(206, 86, 10);
    c.meterOff = QColor(214, 205, 192);
    c.groove = QColor(232, 226, 216);
    c.badgeText = QColor(196, 82, 8);
    c.font = QColor(44, 38, 34);
    c.scrollStrip = QColor(253, 236, 212);
    c.wordmark = QColor(84, 74, 64);
    c.caption = QColor(128, 116, 102);

    // Volume dial in the left end.
    d.place(Element::VolumeMeter, 18, 36, 64, 36);
    d.place(Element::VolumeDown, 17, 78, 22, 22);
    d.place(Element::VolumeUp, 61, 78, 22, 22);
    // Display.
    d.place(Element::ScrollName, 102, 33, 216, 17);
    d.place(Element::SoundType, 324, 33, 76, 17);
    d.place(Element::ElapsedTime, 102, 54, 58, 16);
    d.place(Element::TotalTime, 172, 54, 58, 16);
    d.place(Element::SizeLabel, 250, 54, 150, 16);
    // Seek bar and round buttons.
    d.place(Element::ProgressBar, 94, 79, 312, 10);
    constexpr int kRow = 93, kS = 22;
    d.place(Element::Previous, 96, kRow, kS, kS);
    d.place(Element::Play, 122, kRow, kS, kS);
    d.place(Element::Pause, 148, kRow, kS, kS);
    d.place(Element::Stop, 174, kRow, kS, kS);
    d.place(Element::Next, 200, kRow, kS, kS);
    d.place(Element::Open, 236, kRow, kS, kS);
    d.place(Element::Playlist, 306, kRow, kS, kS);
    d.place(Element::FullScreen, 332, kRow, kS, kS);
    d.place(Element::Config, 358, kRow, kS, kS);
    d.place(Element::OpenPad, 384, kRow, kS, kS);
    // Window buttons and the pad in the right end.
    d.place(Element::MinPlayer, 418, 28, 20, 16);
    d.place(Element::ClosePlayer, 442, 28, 20, 16);
    placePad(d, 420, 55, 13);
    d.place(Element::SecondClose, 478, 62, 16, 16);
    return d;
}

// --- Turning a design into files --------------------------------------------

// The window's outline as the player will cut it: drawn without
// antialiasing, so every pixel is either in or out.
QImage outlineMask(const Design& d) {
    QImage mask(d.size, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(d.outline, Qt::black);
    return mask;
}

// Key colour outside the outline. A pixel inside that happens to be the key
// colour is moved off it, or it would punch a hole in the window.
QImage keyOut(const QImage& picture, const QImage& mask) {
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (qAlpha(in[x]) == 0)
                line[x] = 0xFF000000 | kKeyColor;
            else if ((line[x] & 0xFFFFFF) == kKeyColor)
                line[x] = qRgb(254, 0, 255);
        }
    }
    return out;
}

enum class Look { Released, Pressed };

QImage paintSurface(const Design& d, Look look, bool indicators) {
    QImage image(d.size, QImage::Format_RGB32);
    image.fill(d.colors.bodyBottom);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    d.paintBody(p, d);
    paintPad(p, d);
    for (const Button& button : kButtons)
        paintButton(p, d, button, look == Look::Pressed);
    if (indicators) {
        paintSeekBar(p, d, 0);
        d.paintMeter(p, d, 1);
        paintModeBadge(p, d, QString());
    }
    return image;
}

// A picture for an element: the window's picture without indicators under
// the element, with `paint` drawn over it.
template <typename Paint> QImage elementPicture(const QImage& plain, const QRect& r, Paint paint) {
    QImage picture = plain.copy(r);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.translate(-r.topLeft());
    paint(p);
    p.end();
    return picture;
}

QByteArray describe(const Design& d) {
    QByteArray text;
    auto line = [&](const QString& key, const QString& value) {
        text += (key + QLatin1Char('=') + value + QLatin1Char('\n')).toUtf8();
    };
    auto number = [&](const QString& key, int value) { line(key, QString::number(value)); };
    text += "; Vantor Meridian skin\n";
    line(QStringLiteral("Name"), d.name);
    line(QStringLiteral("Author"), QStringLiteral("Vantor Meridian project"));
    line(QStringLiteral("Comment"), d.comment);
    number(QStringLiteral("ScrollNameR"), d.colors.scrollStrip.red());
    number(QStringLiteral("ScrollNameG"), d.colors.scrollStrip.green());
    number(QStringLiteral("ScrollNameB"), d.colors.scrollStrip.blue());
    number(QStringLiteral("FontColorR"), d.colors.font.red());
    number(QStringLiteral("FontColorG"), d.colors.font.green());
    number(QStringLiteral("FontColorB"), d.colors.font.blue());
    for (int i = 0; i < kElementCount; ++i) {
        const QString name = elementName(Element(i));
        const QRect r = d.rects[std::size_t(i)];
        number(name + QStringLiteral(".top"), r.top() * kTwipsPerPixel);
        number(name + QStringLiteral(".left"), r.left() * kTwipsPerPixel);
        number(name + QStringLiteral(".Height"), r.height() * kTwipsPerPixel);
        number(name + QStringLiteral(".Width"), r.width() * kTwipsPerPixel);
    }
    return text;
}

SkinFiles drawSkin(const Design& d) {
    SkinFiles skin;
    skin.folder = d.folder;
    skin.description = describe(d);

    const QImage mask = outlineMask(d);
    const QImage base = keyOut(paintSurface(d, Look::Released, true), mask);
    const QImage pressed = keyOut(paintSurface(d, Look::Pressed, true), mask);
    const QImage plain = keyOut(paintSurface(d, Look::Released, false), mask);
    auto add = [&](const QString& name, const QImage& image) {
        skin.bitmaps.emplace_back(name, image.convertToFormat(QImage::Format_RGB32));
    };

    add(QString::fromLatin1(kBaseFile), base);
    for (const Button& button : kButtons)
        add(pressedPictureName(button.element), pressed.copy(d.rect(button.element)));
    for (int level = 1; level <= kVolumeLevels; ++level) {
        add(volumePictureName(level),
            elementPicture(plain, d.rect(Element::VolumeMeter),
                           [&](QPainter& p) { d.paintMeter(p, d, level); }));
    }
    for (const AudioMode& mode : kAudioModes) {
        add(QString::fromLatin1(mode.file),
            elementPicture(plain, d.rect(Element::SoundType), [&](QPainter& p) {
                paintModeBadge(p, d, QString::fromLatin1(mode.text));
            }));
    }
    const QRect bar = d.rect(Element::ProgressBar);
    add(QString::fromLatin1(kProgressBackFile),
        elementPicture(plain, bar, [&](QPainter& p) { paintSeekBar(p, d, 0); }));
    add(QString::fromLatin1(kProgressBarFile),
        elementPicture(plain, bar, [&](QPainter& p) { paintSeekBar(p, d, 1); }));
    return skin;
}

} // namespace

QString elementName(Element element) {
    const auto i = std::size_t(element);
    return i < kElements.size() ? QString::fromLatin1(kElements[i].name) : QString();
}

QString pressedPictureName(Element element) {
    const auto i = std::size_t(element);
    if (i >= kElements.size() || !kElements[i].pressedPicture)
        return {};
    return QString::fromLatin1(kElements[i].pressedPicture);
}

QString volumePictureName(int level) {
    return QStringLiteral("Volume_Slider_Bitmap_%1.BMP").arg(level);
}

QStringList audioModePictureNames() {
    QStringList names;
    for (const AudioMode& mode : kAudioModes)
        names.append(QString::fromLatin1(mode.file));
    return names;
}

std::vector<SkinFiles> drawBuiltInSkins() {
    return {drawSkin(graphiteDesign()), drawSkin(daylightDesign())};
}

bool writeSkin(const SkinFiles& skin, const QString& outDir, QString* error) {
    const QDir dir(QDir(outDir).filePath(skin.folder));
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot create %1").arg(dir.path());
        return false;
    }
    QFile description(dir.filePath(QString::fromLatin1(kDescriptionFile)));
    if (!description.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        description.write(skin.description) != skin.description.size()) {
        *error = QStringLiteral("cannot write %1").arg(description.fileName());
        return false;
    }
    for (const auto& [name, image] : skin.bitmaps) {
        const QString path = dir.filePath(name);
        if (!image.save(path, "BMP")) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}

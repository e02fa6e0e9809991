#include "subtitles/frm_sub.h"

#include "subtitles/subtitle_placement.h"

#include <QBitmap>
#include <QEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

namespace {
// A line wider than the window shrinks down to this share of its size,
// and past that is cut with an ellipsis.
constexpr double kSmallestScale = 0.6;
const QColor kDragFrame(0, 255, 0);
} // namespace

frmSub::frmSub(QWidget& video)
    : QWidget(&video, Qt::Tool | Qt::FramelessWindowHint),
      video_(video), lines_{QString(), QString(), QString()}, font_(QStringLiteral("Verdana"), 14) {
    setObjectName(QStringLiteral("frmSub"));
    setWindowTitle(QStringLiteral("Subtitles"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    font_.setBold(true);
    video.installEventFilter(this);
}

void frmSub::load() {
    loaded_ = true;
    alwaysontop(true);
    ResetSub();
    place();
}

void frmSub::unload() {
    loaded_ = false;
    lines_ = {QString(), QString(), QString()};
    hide();
}

void frmSub::setLines(const SubtitleLines& lines) {
    // While dragged the window shows its drag text; the entry that comes
    // meanwhile is the one to show at the release.
    if (dragging_) {
        beforeDrag_ = lines;
        return;
    }
    lines_ = lines;
    refresh();
}

void frmSub::setSubtitleFont(const QFont& font, const QColor& colour) {
    font_ = font;
    if (colour.isValid())
        colour_ = colour;
    ResetSub();
    place();
}

void frmSub::setKeyColour(const QColor& colour) {
    key_ = colour;
    ResetSub();
}

void frmSub::ResetSub() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, key_);
    setPalette(palette);
    if (loaded_)
        setGeometry(keptAboveVideoBottom(geometry(), videoRect()));
    refresh();
}

// The window is the video window's own tool window, which the window
// manager keeps above its owner; with the video focused it is raised above
// everything else too. Flags are left alone: a changed flag makes Qt build a
// new native window.
void frmSub::alwaysontop(bool onTop) {
    if (onTop && isVisible())
        raise();
}

QRect frmSub::videoRect() const {
    QRect area = pictureArea ? pictureArea() : QRect();
    if (area.isEmpty())
        area = video_.rect();
    return area.translated(video_.mapToGlobal(QPoint(0, 0)));
}

int frmSub::outline() const {
    return std::max(2, QFontInfo(font_).pixelSize() / 10);
}

int frmSub::lineHeight() const {
    return qCeil(QFontMetricsF(font_).height()) + 2 * outline();
}

void frmSub::place() {
    if (!loaded_ || dragging_)
        return;
    setGeometry(subtitleGeometry(videoRect(), lineHeight(),
                                 subtitleCentre(yPos ? yPos() : QStringLiteral("70"))));
    refresh();
}

std::array<QPainterPath, 3> frmSub::linePaths() const {
    std::array<QPainterPath, 3> paths;
    const int room = width() - 2 * outline();
    const std::array<const QString*, 3> texts{&lines_.Sub1, &lines_.Sub2, &lines_.Sub3};
    for (int i = 0; i < 3; ++i) {
        QString text = texts[i]->trimmed();
        if (text.isEmpty() || room <= 0)
            continue;
        QFont font = font_;
        const double natural = QFontMetricsF(font).horizontalAdvance(text);
        if (natural > room) {
            // Shrink to fit; a line too long even then ends in "…".
            const double scale = std::max(kSmallestScale, room / natural);
            font.setPointSizeF(font_.pointSizeF() * scale);
            text = QFontMetricsF(font).elidedText(text, Qt::ElideRight, room);
        }
        const QFontMetricsF metrics(font);
        const double x = (width() - metrics.horizontalAdvance(text)) / 2;
        const double top = i * lineHeight() + outline();
        const double baseline =
            top + (lineHeight() - 2 * outline() - metrics.height()) / 2 + metrics.ascent();
        paths[i].addText(x, baseline, font, text);
    }
    return paths;
}

void frmSub::refresh() {
    const std::array<QPainterPath, 3> paths = linePaths();
    const bool text =
        std::any_of(paths.begin(), paths.end(), [](const QPainterPath& p) { return !p.isEmpty(); });
    if (!loaded_ || (!text && !dragging_)) {
        hide();
        return;
    }
    if (dragging_) {
        clearMask(); // the whole window moves, in its frame
    } else {
        // The window is the outlined text and nothing else.
        QBitmap shape(size());
        shape.fill(Qt::color0);
        QPainter painter(&shape);
        painter.setPen(
            QPen(Qt::color1, 2 * outline() + 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::color1);
        for (const QPainterPath& path : paths)
            painter.drawPath(path);
        painter.end();
        setMask(shape);
    }
    show();
    update();
}

void frmSub::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), key_);
    painter.setRenderHint(QPainter::Antialiasing);
    const std::array<QPainterPath, 3> paths = linePaths();
    painter.setPen(QPen(Qt::black, 2 * outline(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPainterPath& path : paths)
        painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour_);
    for (const QPainterPath& path : paths)
        painter.drawPath(path);
    if (dragging_) { // "Shape1"
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kDragFrame, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void frmSub::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    grabY_ = qRound(event->globalPosition().y()) - y();
    beforeDrag_ = lines_;
    lines_ = {QStringLiteral("Drag me everywhere !"),
              QStringLiteral("Support my work by clicking on"),
              QStringLiteral("my sponsor on my site. ;)")};
    refresh();
}

// Only the height is the user's: the window stays centred on the video.
void frmSub::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_)
        move(x(), qRound(event->globalPosition().y()) - grabY_);
}

void frmSub::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    // The entry on show comes back at its new height.
    lines_ = beforeDrag_;
    const QRect kept = keptAboveVideoBottom(geometry(), videoRect());
    if (yPosChanged)
        yPosChanged(subtitleYPosText(kept, videoRect()));
    place();
}

bool frmSub::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &video_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
            place();
            break;
        case QEvent::Hide:
            hide();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSub::changeEvent(QEvent* event) {
    // While the subtitle window has the focus, the video counts as focused.
    if (event->type() == QEvent::ActivationChange) {
        if (focusChanged)
            focusChanged(isActiveWindow());
        if (isActiveWindow())
            ResetSub();
    }
    QWidget::changeEvent(event);
}

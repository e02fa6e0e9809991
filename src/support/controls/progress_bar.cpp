#include "support/controls/progress_bar.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImageReader>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

QString controlErrorText(ControlError error) {
    switch (error) {
    case ControlError::None:
        return {};
    case ControlError::FileNotFound:
        return QStringLiteral("File not found");
    case ControlError::InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case ControlError::InvalidPicture:
        return QStringLiteral("Invalid picture");
    }
    return {};
}

// --- ProgressBarModel ---

ControlError ProgressBarModel::setValue(int value, ValueEvents* events) {
    if (value < min_ || value > max_)
        return ControlError::InvalidPropertyValue;
    value_ = value;
    if (value == drawnValue_)
        return ControlError::None;
    drawnValue_ = value;
    if (events)
        *events = ValueEvents{true, value == max_, value == min_};
    return ControlError::None;
}

ControlError ProgressBarModel::setMax(int maximum) {
    if (maximum <= min_)
        return ControlError::InvalidPropertyValue;
    max_ = maximum;
    return ControlError::None;
}

ControlError ProgressBarModel::setMin(int minimum, ValueEvents* events) {
    if (minimum >= max_)
        return ControlError::InvalidPropertyValue;
    // The range follows at once, so the redraw that the move of Value
    // causes already uses it.
    min_ = minimum;
    return setValue(minimum, events);
}

namespace {

// numerator / denominator as a percentage with `decimals` decimals, rounded
// half away from zero. Exact: both are at most 33 bits wide.
QString percentText(qint64 numerator, qint64 denominator, int decimals) {
    if (denominator <= 0)
        return {};
    qint64 unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    const qint64 scaled = numerator * 100 * unit;
    const qint64 magnitude = (2 * std::abs(scaled) + denominator) / (2 * denominator);
    QString text = QString::number(magnitude / unit);
    if (decimals > 0)
        text += QLocale().decimalPoint() +
                QString::number(magnitude % unit).rightJustified(decimals, QLatin1Char('0'));
    if (scaled < 0 && magnitude != 0)
        text.prepend(QLatin1Char('-'));
    return text + QLatin1Char('%');
}

} // namespace

QString ProgressBarModel::caption() const {
    switch (captionFormat_) {
    case 0:
        return QString::number(value_);
    case 1:
    case 2:
    case 3:
        return percentText(value_, range(), captionFormat_ - 1);
    case 4:
    case 5:
    case 6:
        return percentText(qint64(value_) - min_, range(), captionFormat_ - 4);
    default:
        return {};
    }
}

QRect ProgressBarModel::barRect(QSize size) const {
    const qint64 span = range();
    if (span <= 0 || size.isEmpty())
        return {};
    // Value may lie above a lowered Max; the bar never leaves the control.
    const qint64 done = std::clamp<qint64>(qint64(value_) - min_, 0, span);
    const auto part = [&](int length) { return int((2 * done * length + span) / (2 * span)); };
    switch (orientation_) {
    case kHorizontal:
        return QRect(0, 0, part(size.width()), size.height());
    case kVertical: {
        const int filled = part(size.height());
        return QRect(0, size.height() - filled, size.width(), filled);
    }
    default:
        return {};
    }
}

std::optional<int> ProgressBarModel::valueAt(QPointF pos, QSize size) const {
    if (size.isEmpty() || range() <= 0)
        return std::nullopt;
    double fraction = 0;
    switch (orientation_) {
    case kHorizontal:
        fraction = pos.x() / size.width();
        break;
    case kVertical:
        fraction = (size.height() - pos.y()) / size.height();
        break;
    default:
        return std::nullopt;
    }
    // Halves go to the even neighbour (the default rounding mode), as when
    // a fractional number is given to a whole-number property. Dragging
    // past an end stops at that end.
    const double wanted = std::nearbyint(min_ + fraction * double(range()));
    return int(std::clamp(wanted, double(min_), double(max_)));
}

// --- PictureFileCache ---

PictureFileCache::Loaded PictureFileCache::load(const QString& path) {
    if (path.isEmpty())
        return {};
    namespace fs = std::filesystem;
    const fs::path file(QFile::encodeName(path).toStdString());
    std::error_code error;
    const bool regular = fs::is_regular_file(file, error);
    const auto size = regular ? fs::file_size(file, error) : 0;
    const auto modified =
        regular && !error ? fs::last_write_time(file, error) : fs::file_time_type{};
    if (!regular || error) {
        entries_.remove(path);
        return {QImage(), ControlError::FileNotFound};
    }
    const qint64 modifiedNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();

    const auto it = entries_.constFind(path);
    if (it != entries_.constEnd() && it->modifiedNs == modifiedNs && it->size == qint64(size))
        return it->loaded;

    QImageReader reader(path);
    Loaded loaded;
    loaded.picture = reader.read();
    if (loaded.picture.isNull())
        loaded.error = ControlError::InvalidPicture;
    ++diskLoads_;
    // A skin has two bar pictures; a few skins' worth is plenty.
    if (entries_.size() >= 16)
        entries_.clear();
    entries_.insert(path, Entry{modifiedNs, qint64(size), loaded});
    return loaded;
}

// --- cpvProgressBar ---

cpvProgressBar::cpvProgressBar(QWidget* parent)
    : QWidget(parent), fontColor_(palette().color(QPalette::ButtonText)) {}

ControlError cpvProgressBar::setValue(int value) {
    ValueEvents events;
    const ControlError error = model_.setValue(value, &events);
    raiseEvents(events);
    return error;
}

ControlError cpvProgressBar::setMax(int maximum) {
    return model_.setMax(maximum);
}

ControlError cpvProgressBar::setMin(int minimum) {
    ValueEvents events;
    const ControlError error = model_.setMin(minimum, &events);
    raiseEvents(events);
    return error;
}

void cpvProgressBar::setCaptionFormat(int format) {
    model_.setCaptionFormat(format);
    Refresh();
}

void cpvProgressBar::setOrientation(int orientation) {
    // Shown from the next redraw on.
    model_.setOrientation(orientation);
}

void cpvProgressBar::setFontColor(const QColor& color) {
    fontColor_ = color;
    Refresh();
}

void cpvProgressBar::setBarPicture(const QImage& picture) {
    barPicture_ = picture;
    Refresh();
}

void cpvProgressBar::setBarPictureBack(const QImage& picture) {
    barPictureBack_ = picture;
    Refresh();
}

void cpvProgressBar::setPictureFiles(const QString& backFile, const QString& barFile) {
    filesSet_ = true;
    backFile_ = backFile;
    barFile_ = barFile;
}

void cpvProgressBar::raiseEvents(const ValueEvents& events) {
    if (!events.valueChanged)
        return;
    // A picture that fails to load must not hold up the position display:
    // the value is kept and its events still go out.
    Refresh();
    Q_EMIT ValueChanged();
    if (events.arrivedLast)
        Q_EMIT ArrivedLast();
    if (events.arrivedFirst)
        Q_EMIT ArrivedFirst();
}

ControlError cpvProgressBar::Refresh() {
    ++redraws_;
    const ControlError error = loadPictures();
    // Also here, not only on resizing: a new skin's pictures may come after
    // its geometry.
    fitToBackground();
    draw(error == ControlError::None);
    return error;
}

ControlError cpvProgressBar::loadPictures() {
    if (filesSet_) {
        const PictureFileCache::Loaded bar = cache_.load(barFile_);
        if (bar.error != ControlError::None)
            return bar.error;
        barPicture_ = bar.picture;
        const PictureFileCache::Loaded back = cache_.load(backFile_);
        if (back.error != ControlError::None)
            return back.error;
        barPictureBack_ = back.picture;
    }
    background_ = barPictureBack_;
    return ControlError::None;
}

void cpvProgressBar::draw(bool withBar) {
    // Drawn at the screen's pixel density so the caption stays sharp.
    const qreal ratio = devicePixelRatioF();
    surface_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    surface_.setDevicePixelRatio(ratio);
    if (!surface_.isNull()) {
        surface_.fill(palette().color(backgroundRole()));
        QPainter painter(&surface_);
        painter.drawImage(QPoint(0, 0), background_);
        if (withBar) {
            const QRect bar = model_.barRect(size());
            if (!bar.isEmpty())
                painter.drawImage(bar.topLeft(), barPicture_, bar);
            const QString text = model_.caption();
            if (!text.isEmpty()) {
                // Centred on the text's advance and on the font's line height.
                const QFontMetricsF metrics(font());
                const double x = (width() - metrics.horizontalAdvance(text)) / 2;
                const double y = (height() - metrics.height()) / 2;
                painter.setFont(font());
                painter.setPen(fontColor_);
                painter.drawText(QPointF(x, y + metrics.ascent()), text);
            }
        }
    }
    update();
}

void cpvProgressBar::fitToBackground() {
    const QSize wanted = !barPictureBack_.isNull() ? barPictureBack_.size() : background_.size();
    // Without any picture the size is left alone: a control of no size
    // could neither be seen nor dragged.
    if (wanted.isEmpty() || wanted == size())
        return;
    // The resize event this sends is handled here, not by resizeEvent().
    const QScopedValueRollback guard(fitting_, true);
    resize(wanted);
}

QSize cpvProgressBar::sizeHint() const {
    const QSize picture = !barPictureBack_.isNull() ? barPictureBack_.size() : background_.size();
    return picture.isEmpty() ? QSize(100, 16) : picture;
}

void cpvProgressBar::paintEvent(QPaintEvent*) {
    if (surface_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), surface_);
}

void cpvProgressBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!fitting_)
        Refresh();
}

void cpvProgressBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void cpvProgressBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Refresh();
    else if (event->type() == QEvent::EnabledChange && !isEnabled())
        dragging_ = false;
}

void cpvProgressBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    dragging_ = true;
    dragTo(event->position());
}

void cpvProgressBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        event->ignore();
        return;
    }
    dragTo(event->position());
}

void cpvProgressBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const bool wasDragging = dragging_;
    dragging_ = false;
    if (wasDragging && rect().contains(event->position().toPoint()))
        Q_EMIT Click();
}

void cpvProgressBar::dragTo(QPointF pos) {
    if (const std::optional<int> value = model_.valueAt(pos, size()))
        setValue(*value);
}

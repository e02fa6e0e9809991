#include "menus/cool_menu_style.h"

#include "menus/cool_menu.h"

#include <QBitmap>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionMenuItem>
#include <qdrawutil.h>

namespace {

constexpr int kTextIndent = 2 * (CoolMenuStyle::kPicture + 2) + 4;
constexpr int kArrowWidth = 16;

// The caption and its accelerator, split at the tab.
std::pair<QString, QString> captionParts(const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    return tab < 0 ? std::pair{text, QString()} : std::pair{text.left(tab), text.mid(tab + 1)};
}

// Text drawn twice: light one pixel down and right, shadow on top.
void drawEmbossed(QPainter& painter, QRect area, int flags, const QString& text,
                  const QPalette& palette) {
    painter.setPen(palette.color(QPalette::Light));
    painter.drawText(area.translated(1, 1), flags, text);
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawText(area, flags, text);
}

} // namespace

CoolMenuStyle::CoolMenuStyle(const WndCoolMenu& engine) : engine_(engine) {}

const CMyItemData* CoolMenuStyle::recordAt(const QStyleOptionMenuItem& item,
                                           const QWidget* widget) const {
    const auto* menu = qobject_cast<const QMenu*>(widget);
    const QAction* action = menu ? menu->actionAt(item.rect.center()) : nullptr;
    return action ? engine_.record(action) : nullptr;
}

QSize CoolMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                      const QSize& size, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item || !widget)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const QFontMetrics metrics(engine_.menuFont(widget->font()));
    // A row as high as a menu bar, or as the text when that is higher.
    const int rowHeight = std::max(metrics.height() + 6, kPicture + 4);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        if (item->text.isEmpty())
            return {0, rowHeight / 2};
        const QFontMetrics small(engine_.separatorFont(widget->font()));
        return {small.horizontalAdvance(item->text) + 2 * kPicture, small.height() + 4};
    }
    const auto [caption, accelerator] = captionParts(item->text);
    // The right margin holds a submenu's arrow.
    int width =
        metrics.horizontalAdvance(QString(caption).remove(u'&')) + kTextIndent + kArrowWidth + 6;
    if (!accelerator.isEmpty())
        width += metrics.horizontalAdvance(accelerator) + kArrowWidth;
    return {width, rowHeight};
}

void CoolMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || !widget) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    const CMyItemData* record = recordAt(*item, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        drawSeparator(*item, record, *painter);
        painter->restore();
        return;
    }
    const QRect row = item->rect;
    const bool selected = item->state & State_Selected;
    const bool enabled = item->state & State_Enabled;
    const QRect column(row.left() + 2, row.top(), kPicture + 4, row.height());
    const QRect beside = row.adjusted(column.width() + 2, 0, 0, 0);
    painter->fillRect(row, item->palette.color(QPalette::Window));
    if (selected)
        painter->fillRect(engine_.FullSelect ? row : beside, engine_.SelectColor);
    const bool picture = record && record->iButton >= 0 && engine_.ilHandle &&
                         record->iButton < engine_.ilHandle->size();
    if (picture)
        drawPicture(*item, *record, column, *painter);
    else if (item->checked && item->checkType != QStyleOptionMenuItem::NotCheckable)
        drawMark(*item, record ? record->bAsCheck : true, column, *painter);
    painter->setFont(engine_.menuFont(widget->font()));
    drawCaption(*item, row.adjusted(kTextIndent, 0, -kArrowWidth, 0), *painter);
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = *option;
        arrow.rect = QRect(row.right() - kArrowWidth, row.top(), kArrowWidth, row.height());
        arrow.palette.setColor(QPalette::ButtonText, selected && enabled
                                                         ? item->palette.highlightedText().color()
                                                         : item->palette.text().color());
        proxy()->drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
    painter->restore();
}

// An etched line, with the title embossed on it in the small font.
void CoolMenuStyle::drawSeparator(const QStyleOptionMenuItem& item, const CMyItemData* record,
                                  QPainter& painter) const {
    const QRect row = item.rect;
    const QPalette& palette = item.palette;
    painter.fillRect(row, palette.color(QPalette::Window));
    const int middle = row.center().y();
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(row.left() + 2, middle, row.right() - 2, middle);
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(row.left() + 2, middle + 1, row.right() - 2, middle + 1);
    const QString title = record ? record->sMenuText.trimmed() : item.text.trimmed();
    if (title.isEmpty())
        return;
    painter.setFont(engine_.separatorFont(painter.font()));
    const QRect text(row.left() + kPicture, row.top(), row.width() - kPicture, row.height());
    const QRect used = painter.fontMetrics().boundingRect(title).adjusted(-3, 0, 3, 0);
    painter.fillRect(QRect(text.left() - 3, row.top(), used.width(), row.height()),
                     palette.color(QPalette::Window));
    drawEmbossed(painter, text, Qt::AlignLeft | Qt::AlignVCenter, title, palette);
}

void CoolMenuStyle::drawPicture(const QStyleOptionMenuItem& item, const CMyItemData& record,
                                QRect column, QPainter& painter) const {
    const QPixmap picture = (*engine_.ilHandle)[record.iButton].picture.scaled(
        kPicture, kPicture, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QPoint at(column.left() + 2, column.top() + (column.height() - kPicture) / 2);
    if (item.checked)
        qDrawShadePanel(&painter, QRect(at - QPoint(2, 2), QSize(kPicture + 4, kPicture + 4)),
                        item.palette, true);
    if (item.state & State_Enabled || !engine_.ColorEmbossed) {
        painter.drawPixmap(at, picture);
        return;
    }
    // The picture's outline, light one pixel down and right, shadow on top.
    const QBitmap mask = picture.hasAlpha() ? picture.mask() : picture.createHeuristicMask();
    painter.setPen(item.palette.color(QPalette::Light));
    painter.drawPixmap(at + QPoint(1, 1), mask);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(item.palette.color(QPalette::Dark));
    painter.drawPixmap(at, mask);
}

// A check box or an option button, sunken like a dialog's when the marks
// are complex; the bare tick or dot otherwise.
void CoolMenuStyle::drawMark(const QStyleOptionMenuItem& item, bool check, QRect column,
                             QPainter& painter) const {
    const QPalette& palette = item.palette;
    const QRect box(column.left() + 3, column.center().y() - 6, 13, 13);
    const bool selected = item.state & State_Selected;
    const QColor ink = engine_.ComplexChecks || !selected
                           ? palette.color(QPalette::Text)
                           : palette.color(QPalette::HighlightedText);
    painter.setRenderHint(QPainter::Antialiasing, !check);
    if (check) {
        if (engine_.ComplexChecks) {
            const QBrush fill = palette.base();
            qDrawWinPanel(&painter, box, palette, true, &fill);
        }
        QPainterPath tick;
        tick.moveTo(box.left() + 3, box.top() + 6);
        tick.lineTo(box.left() + 5, box.top() + 9);
        tick.lineTo(box.left() + 10, box.top() + 3);
        painter.setPen(QPen(ink, 2));
        painter.drawPath(tick);
        return;
    }
    if (engine_.ComplexChecks) {
        painter.setPen(QPen(palette.color(QPalette::Dark), 1));
        painter.setBrush(palette.base());
        painter.drawEllipse(box.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(palette.color(QPalette::Light), 1));
        painter.drawArc(box.adjusted(1, 1, -1, -1), -45 * 16, -180 * 16);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QRectF(box).center(), 2.5, 2.5);
}

void CoolMenuStyle::drawCaption(const QStyleOptionMenuItem& item, QRect area,
                                QPainter& painter) const {
    const auto [caption, accelerator] = captionParts(item.text);
    const bool selected = item.state & State_Selected;
    const bool enabled = item.state & State_Enabled;
    const int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    if (!enabled && !selected) {
        drawEmbossed(painter, area, flags | Qt::AlignLeft, caption, item.palette);
        if (!accelerator.isEmpty())
            drawEmbossed(painter, area, flags | Qt::AlignRight, accelerator, item.palette);
        return;
    }
    QColor colour = engine_.ForeColor.isValid() ? engine_.ForeColor : item.palette.text().color();
    if (selected)
        colour = enabled ? item.palette.highlightedText().color()
                         : item.palette.color(QPalette::Disabled, QPalette::Text);
    painter.setPen(colour);
    painter.drawText(area, flags | Qt::AlignLeft, caption);
    if (!accelerator.isEmpty())
        painter.drawText(area, flags | Qt::AlignRight, accelerator);
}

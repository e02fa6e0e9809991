#pragma once
// Paints the entries of menus a `WndCoolMenu` converted: titled separators
// embossed in a small font, three-dimensional check and option marks,
// pictures from the image list (embossed when disabled, framed when
// checked), the selection colour over the full row, embossed disabled
// captions. Everything else is the application's style.
#include <QProxyStyle>

class WndCoolMenu;
struct CMyItemData;
class QStyleOptionMenuItem;

class CoolMenuStyle : public QProxyStyle {
  public:
    explicit CoolMenuStyle(const WndCoolMenu& engine);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;

    // The picture column, a square of this many pixels.
    static constexpr int kPicture = 16;

  private:
    const CMyItemData* recordAt(const QStyleOptionMenuItem& item, const QWidget* widget) const;
    void drawSeparator(const QStyleOptionMenuItem& item, const CMyItemData* record,
                       QPainter& painter) const;
    void drawPicture(const QStyleOptionMenuItem& item, const CMyItemData& record, QRect column,
                     QPainter& painter) const;
    void drawMark(const QStyleOptionMenuItem& item, bool check, QRect column,
                  QPainter& painter) const;
    void drawCaption(const QStyleOptionMenuItem& item, QRect area, QPainter& painter) const;

    const WndCoolMenu& engine_;
};

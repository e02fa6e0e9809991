#pragma once
// A borderless window whose look is a skin: a background picture, an
// outline cut from it, and controls placed where the skin description
// says. It is dragged by its own surface.
#include "skin/skin_description.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <vector>

class SkinWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SkinWindow(QWidget* parent = nullptr);

    // The controls an element's geometry keys move; ScrollName moves two.
    void setElementControls(SkinElement element, std::vector<QWidget*> controls);
    const std::vector<QWidget*>& elementControls(SkinElement element) const;
    // Where each element's first control stands now.
    std::array<QRect, kSkinElementCount> elementRects() const;

    // Moves and sizes the controls by every edge the description gives;
    // edges it leaves out stay where they were.
    void applyGeometry(const SkinDescription& description);

    const QImage& background() const { return background_; }
    // The window takes the picture's size; a null picture keeps the old one.
    void setBackground(const QImage& picture);
    // Cuts the window to the picture's pixels that are not the key colour.
    // A picture that leaves nothing keeps the window whole.
    void setOutline(const QImage& base);
    void clearOutline();
    bool hasOutline() const { return !mask().isEmpty(); }

    // Whether a left press at `pos` (window coordinates) starts a drag:
    // only on the window's own surface, not on a control.
    bool isDragSurface(QPoint pos) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::array<std::vector<QWidget*>, kSkinElementCount> elements_;
    QImage background_;
    // Set while the window follows the pointer itself, when the window
    // manager cannot move it.
    std::optional<QPoint> dragOffset_;
};

// Applies one element's edges, in twips, to a control.
void applyTwipsGeometry(QWidget& control, const TwipsGeometry& geometry);

#pragma once
// The small windows of the display: the black curtain that covers the
// screen while a movie opens in full screen, and the label that trails
// the pointer over an interactive menu's button.
#include <QLabel>
#include <QTimer>
#include <QWidget>

class QScreen;

// "fondnoir": black over the whole of a screen, above every other window.
class Curtain : public QWidget {
    Q_OBJECT
  public:
    Curtain();
    void cover(QScreen* screen);
    void lift();
};

// "FrmCursor": "* Button" below and to the right of the pointer, shown
// only while the pointer is over a menu button. It follows the pointer
// only while shown, so it costs nothing the rest of the time.
class PointerLabel : public QLabel {
    Q_OBJECT
  public:
    PointerLabel();
    // The pointer is over a menu button (or no longer).
    void setHover(bool hover, const QColor& keyColour);
    // 250 and 150 twips right of and below the pointer.
    static QPoint offset() { return {17, 10}; }

  private:
    void follow();
    QTimer timer_;
};

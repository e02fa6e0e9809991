#pragma once
// The on-screen display: one line of green text at the video window's
// corner that goes away three seconds after it appeared.
#include <QWidget>

class QLabel;
class QTimer;

class Osd : public QWidget {
    Q_OBJECT
  public:
    Osd();

    // Sets the caption, as the transport does: the display loads hidden at
    // `topLeft` (screen pixels) over `background`, the overlay key colour,
    // and only a later show() makes it visible.
    void setCaption(const QString& text, QPoint topLeft, QColor background);
    // Sets the caption and shows it.
    void showText(const QString& text, QPoint topLeft, QColor background);
    QString text() const;

    static constexpr int kShowMs = 3000;

  private:
    QLabel* Labelosd;
    QTimer* Timer1;
};

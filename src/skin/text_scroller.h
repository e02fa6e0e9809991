#pragma once
// One line of text that scrolls from right to left, wrapping round with a
// gap, over a plain background: the main window's movie title.
#include <QColor>
#include <QTimer>
#include <QWidget>

class TextScroller : public QWidget {
    Q_OBJECT
  public:
    explicit TextScroller(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    QColor foreground() const { return foreground_; }
    void setForeground(const QColor& colour);
    QColor background() const { return background_; }
    void setBackground(const QColor& colour);

    // Pixels the text has moved left so far, modulo its period.
    int offset() const { return offset_; }
    // Moves the text one pixel; the timer calls it while shown.
    void advance();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    int period() const;

    QString text_;
    QColor foreground_ = Qt::black;
    QColor background_ = Qt::white;
    QTimer timer_;
    int offset_ = 0;
};

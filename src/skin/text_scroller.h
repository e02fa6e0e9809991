#pragma once
// One line of text over a plain background: the main window's movie title,
// and every message the player gives there. Text wider than the control
// scrolls from right to left and comes round again; text that fits stands
// still, and so does all text while scrolling is off.
#include <QColor>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

class TextScroller : public QWidget {
    Q_OBJECT
  public:
    // Characters shown at most: the cost of a tick must not grow with the
    // title (a longer one is cut with an ellipsis).
    static constexpr int kMaxShownCharacters = 256;

    explicit TextScroller(QWidget* parent = nullptr);

    QString text() const { return text_; }
    // What is drawn: the text, cut when it is very long.
    QString shownText() const { return shown_; }
    void setText(const QString& text);
    QColor foreground() const { return foreground_; }
    void setForeground(const QColor& colour);
    QColor background() const { return background_; }
    void setBackground(const QColor& colour);

    // Pixels the text has moved left so far, modulo its period.
    int offset() const { return offset_; }
    // Moves the text one pixel; the timer calls it while shown.
    void advance();
    // Whether the text is too wide to stand still.
    bool scrolls() const;
    bool scrolling() const { return timer_.isActive(); }
    // Off saves the ticks; the text still shows, from its start.
    void setScrolling(bool on);
    bool scrollingOn() const { return scrollingOn_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    int period() const { return period_; }
    const QPixmap& strip();
    void measure();
    void updateTimer();

    QString text_;
    QString shown_;
    int textWidth_ = 0; // pixels of the shown text
    int period_ = 1;
    QColor foreground_ = Qt::black;
    QColor background_ = Qt::white;
    QTimer timer_;
    int offset_ = 0;
    bool scrollingOn_ = true;
    QPixmap strip_; // the text on its background, one period wide
};

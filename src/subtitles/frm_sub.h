#pragma once
// "frmSub": the three subtitle lines on a borderless window of their own
// that floats over the lower part of the video window and follows it as it
// moves or changes size. The window is shaped to the outlined text, so the
// movie shows everywhere else; dragging it sets its height over the video.
#include "subtitles/subtitle_timing.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QWidget>
#include <array>
#include <functional>

class frmSub : public QWidget {
    Q_OBJECT
  public:
    explicit frmSub(QWidget& video);

    // "SubYpos": read for each placement, written after a drag.
    std::function<QString()> yPos;
    std::function<void(const QString&)> yPosChanged;
    // The subtitle window gained or lost the focus: the video counts as
    // focused while it has it.
    std::function<void(bool)> focusChanged;
    // Where the picture shows inside the video window; empty or unset for
    // the whole window. Full screen at a preset leaves bars around it.
    std::function<QRect()> pictureArea;

    // Shown by a load, placed from then on; unloading blanks the lines.
    void load();
    void unload();
    bool loaded() const { return loaded_; }
    // The user is dragging the subtitles to a new height.
    bool dragging() const { return dragging_; }

    void setLines(const SubtitleLines& lines);
    const SubtitleLines& lines() const { return lines_; }
    void setSubtitleFont(const QFont& font, const QColor& colour);
    void setKeyColour(const QColor& colour);
    // Applies colours, font and layout, and keeps the window above the
    // video's bottom edge.
    void ResetSub();
    void alwaysontop(bool onTop);
    // Placed again for the video window's new place.
    void GoUp() { place(); }

    // Where the video's picture is on the screen.
    QRect videoRect() const;
    int lineHeight() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void place();
    void refresh();
    // The lines' outlines, centred, each within the window's width.
    std::array<QPainterPath, 3> linePaths() const;
    int outline() const;

    QWidget& video_;
    SubtitleLines lines_;
    SubtitleLines beforeDrag_;
    QFont font_;
    QColor colour_ = Qt::white;
    QColor key_ = QColor(16, 0, 16);
    bool loaded_ = false;
    bool dragging_ = false;
    int grabY_ = 0;
};

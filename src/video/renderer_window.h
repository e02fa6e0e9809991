#pragma once
// The video renderer's window: paints the frames a graph delivers stretched
// over the whole window, whose shape the layout sets.
#include "support/media/video_window.h"

#include <QPointer>
#include <QWidget>

class FrameSink;

class VideoSurface : public QWidget {
    Q_OBJECT
  public:
    explicit VideoSurface(FrameSink* frames);

    // Shows the window by itself with the first frame unless someone hid
    // it on purpose.
    bool explicitlyHidden = false;
    bool explicitlySized = false;

    // Where the picture stands in the window, and its size in pixels:
    // empty before the first frame.
    QRect pictureRect() const;
    QSize pictureSize() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void onFrame();
    QPointer<FrameSink> frames_;
    bool sawFrame_ = false;
};

class RendererWindow : public VideoWindow {
  public:
    explicit RendererWindow(FrameSink* frames);
    ~RendererWindow() override;

    void setOwner(QWidget* owner) override;
    QWidget* owner() const override;
    void setWindowStyle(int style) override { style_ = style; }
    int windowStyle() const override { return style_; }
    void setVisible(bool visible) override;
    bool isVisible() const override;
    int left() const override;
    int top() const override;
    int width() const override;
    int height() const override;
    void setLeft(int left) override;
    void setTop(int top) override;
    void setWidth(int width) override;
    void setHeight(int height) override;
    void setWindowPosition(int left, int top, int width, int height) override;
    void hideCursor(bool hide) override;

    QWidget* widget() const { return surface_; }

  private:
    QPointer<VideoSurface> surface_;
    int style_ = 0;
};

// Makes every new video renderer show its frames in a RendererWindow.
void installRendererWindows();

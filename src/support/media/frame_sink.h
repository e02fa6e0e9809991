#pragma once
// Hands decoded video frames from the framework's streaming thread to the
// user-interface thread. Only the newest frame is kept: a slow painter skips
// frames instead of queueing them.
//
// The lock is the innermost of all: under it a frame only changes hands, and
// nothing else is called. A frame let go returns its buffer to the decoder,
// which may take the decoder's own locks (the libav decoders do) while the
// decoder's thread waits on the queue before this sink; so frames are let go
// only after the lock is released. The UI thread paints from its own
// reference to the current frame and never takes the lock while painting.
#include "support/media/video_frame.h"

#include <QMutex>
#include <QObject>
#include <QSize>
#include <atomic>

class FrameSink : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Streaming thread: stores the frame and wakes the UI thread once.
    void push(VideoFrame frame, double pixelAspect);

    // UI thread.
    const VideoFrame& currentFrame() const { return current_; }
    double pixelAspect() const;
    QSize frameSize() const;
    quint64 framesDelivered() const { return delivered_; }
    // Any thread: frames the renderer has handed over so far. Those not
    // delivered were replaced by a newer one before the UI took them.
    quint64 framesReceived() const { return received_; }

  Q_SIGNALS:
    void frameReady();

  private:
    void deliver();

    mutable QMutex mutex_;
    VideoFrame pending_;
    VideoFrame current_;
    double pendingAspect_ = 1.0;
    double aspect_ = 1.0;
    std::atomic_bool deliveryQueued_{false};
    std::atomic<quint64> received_{0};
    quint64 delivered_ = 0;
};

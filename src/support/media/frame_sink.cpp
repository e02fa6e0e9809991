#include "support/media/frame_sink.h"

#include "support/trace/first_frame_trace.h"

#include <QMetaObject>

void FrameSink::push(VideoFrame frame, double pixelAspect) {
    if (++received_ == 1)
        firstframe::mark("frame decoded");
    {
        QMutexLocker lock(&mutex_);
        std::swap(pending_, frame);
        pendingAspect_ = pixelAspect;
    }
    frame = VideoFrame(); // a frame the UI never took goes back to its decoder unlocked
    if (!deliveryQueued_.exchange(true))
        QMetaObject::invokeMethod(this, &FrameSink::deliver, Qt::QueuedConnection);
}

void FrameSink::deliver() {
    deliveryQueued_ = false;
    VideoFrame newest;
    double aspect = 1.0;
    {
        QMutexLocker lock(&mutex_);
        std::swap(newest, pending_);
        aspect = pendingAspect_;
    }
    if (newest.isNull())
        return;
    aspect_ = aspect;
    // The frame shown so far is let go here, unlocked.
    current_ = std::move(newest);
    if (++delivered_ == 1)
        firstframe::mark("frame handed to the window");
    Q_EMIT frameReady();
}

double FrameSink::pixelAspect() const {
    return aspect_;
}

QSize FrameSink::frameSize() const {
    return current_.size();
}

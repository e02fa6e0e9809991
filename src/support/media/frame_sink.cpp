#include "support/media/frame_sink.h"

#include "support/trace/first_frame_trace.h"

#include <QMetaObject>

void FrameSink::push(VideoFrame frame, double pixelAspect) {
    if (++received_ == 1)
        firstframe::mark("frame decoded");
    {
        QMutexLocker lock(&mutex_);
        pending_ = std::move(frame);
        pendingAspect_ = pixelAspect;
    }
    if (!deliveryQueued_.exchange(true))
        QMetaObject::invokeMethod(this, &FrameSink::deliver, Qt::QueuedConnection);
}

void FrameSink::deliver() {
    deliveryQueued_ = false;
    {
        QMutexLocker lock(&mutex_);
        if (pending_.isNull())
            return;
        current_ = std::move(pending_);
        pending_ = VideoFrame();
        aspect_ = pendingAspect_;
    }
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

#include "support/media/frame_sink.h"

#include <QMetaObject>

void FrameSink::push(const QImage& frame, double pixelAspect) {
    ++received_;
    {
        QMutexLocker lock(&mutex_);
        pending_ = frame;
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
        pending_ = QImage();
        aspect_ = pendingAspect_;
    }
    ++delivered_;
    Q_EMIT frameReady();
}

QImage FrameSink::currentFrame() const {
    return current_;
}

double FrameSink::pixelAspect() const {
    return aspect_;
}

QSize FrameSink::frameSize() const {
    return current_.size();
}

#include "video/pic_video_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

PicVideoWindow::PicVideoWindow() {
    setWindowTitle(QStringLiteral("Vantor Meridian VideoViewer"));
    setObjectName(QStringLiteral("picVideoWindow"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setAcceptDrops(true);
}

QStringList droppedPaths(const QMimeData* data) {
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

void PicVideoWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PicVideoWindow::dropEvent(QDropEvent* event) {
    Q_EMIT filesDropped(droppedPaths(event->mimeData()));
    event->acceptProposedAction();
}

#include "support/media/media_error.h"

#include <QFileInfo>

MediaFault fileFault(const QString& path) {
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists())
        return MediaFault::NotFound;
    if (file.isDir())
        return MediaFault::Folder;
    if (!file.isReadable())
        return MediaFault::Unreadable;
    if (file.size() == 0)
        return MediaFault::Empty;
    return MediaFault::None;
}

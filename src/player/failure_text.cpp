#include "player/failure_text.h"

#include <QFileInfo>

QString failureText(const QString& path, const MediaError& error) {
    QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        name = path.isEmpty() ? QStringLiteral("The movie") : path;
    switch (error.fault) {
    case MediaFault::NotFound:
        return QStringLiteral("%1 was not found.").arg(name);
    case MediaFault::Folder:
        return QStringLiteral("%1 is a folder, not a movie.").arg(name);
    case MediaFault::Empty:
        return QStringLiteral("%1 is empty: there is no movie in it.").arg(name);
    case MediaFault::Unreadable:
        return QStringLiteral("%1 cannot be read.").arg(name);
    case MediaFault::NotMedia:
        return QStringLiteral("%1 is not a movie.").arg(name);
    case MediaFault::Damaged:
        return QStringLiteral("%1 is damaged and cannot be played.").arg(name);
    case MediaFault::NoDecoder:
        return error.format.isEmpty()
                   ? QStringLiteral("No decoder is installed for the format of %1.").arg(name)
                   : QStringLiteral("No decoder is installed for %1 (%2).").arg(error.format, name);
    case MediaFault::Stalled:
        return QStringLiteral("%1 stopped playing: the file is damaged or cut short.").arg(name);
    case MediaFault::SoundOutput:
        return QStringLiteral("The sound output was lost: the sound device or server stopped.");
    case MediaFault::None:
    case MediaFault::Other:
        break;
    }
    return QStringLiteral("%1 cannot be played.").arg(name);
}

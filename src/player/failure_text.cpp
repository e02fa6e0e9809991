#include "player/failure_text.h"

#include <QFileInfo>

namespace {
QString installHint(const QString& package) {
    return package.isEmpty() ? QStringLiteral(".") : QStringLiteral(": install %1.").arg(package);
}
} // namespace

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
    case MediaFault::NoDecoder: {
        const QString text =
            error.format.isEmpty()
                ? QStringLiteral("No decoder is installed for the format of %1").arg(name)
                : QStringLiteral("No decoder is installed for %1 (%2)").arg(error.format, name);
        return text + installHint(error.package);
    }
    case MediaFault::MissingPart:
        return QStringLiteral("%1 needs GStreamer's \"%2\", which is not installed")
                   .arg(name, error.format) +
               installHint(error.package);
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

#include "support/desktop/file_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString startFolder(const QStringList& candidates, const QString& fallback) {
    // Only a full path names a folder: a relative one would start wherever
    // the program happens to run.
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (!candidate.isEmpty() && info.isAbsolute() && info.isDir())
            return QDir::cleanPath(candidate);
    }
    return fallback;
}

QString openStartFolder(const QString& lastFile, const QString& videos, const QString& home) {
    return startFolder({lastFile.isEmpty() ? QString() : QFileInfo(lastFile).path(), videos}, home);
}

QString openStartFolder(const QString& lastFile) {
    // XDG names a videos folder even when it was never made: startFolder
    // passes over one that does not exist.
    return openStartFolder(lastFile,
                           QStandardPaths::writableLocation(QStandardPaths::MoviesLocation),
                           QDir::homePath());
}

QStringList mediaFileExtensions() {
    // From the build's one list of media types, which the desktop entry is
    // configured from too.
    return QStringLiteral(VANTOR_MEDIA_EXTENSIONS).split(u' ', Qt::SkipEmptyParts);
}

QString mediaFileFilter() {
    QStringList patterns;
    for (const QString& extension : mediaFileExtensions())
        patterns.append(QStringLiteral("*.") + extension);
    return QStringLiteral("Supported Media files (%1);;All Files (*)").arg(patterns.join(u' '));
}

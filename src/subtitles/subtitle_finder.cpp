#include "subtitles/subtitle_finder.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The file of `folder` named `base` + `extension`; the listing, not a
// lookup by name, so that "Movie.SRT" is found for "Movie".
QString fileIn(const QDir& folder, const QString& base, const QString& extension) {
    const QString wanted = base + extension;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Readable))
        if (name.compare(wanted, Qt::CaseInsensitive) == 0 && name.startsWith(base))
            return folder.filePath(name);
    return {};
}
} // namespace

QString findSubtitlesFor(const QString& movieFileName) {
    const QFileInfo movie(movieFileName);
    if (movieFileName.isEmpty())
        return {};
    const QString base = movie.completeBaseName();
    const QDir beside = movie.dir();
    QList<QDir> folders{beside};
    for (const char* name : {"Subs", "subs", "subtitles"})
        if (beside.exists(QLatin1String(name)))
            folders.append(QDir(beside.filePath(QLatin1String(name))));
    for (const QDir& folder : folders)
        for (const char* extension : {".vst", ".sub", ".txt", ".srt"})
            if (QString found = fileIn(folder, base, QLatin1String(extension)); !found.isEmpty())
                return found;
    return {};
}

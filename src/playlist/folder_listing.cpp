#include "playlist/folder_listing.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <array>

namespace {

constexpr std::array<const char*, 6> kPatterns{"avi", "divx", "mpg", "mpeg", "asf", "mp4"};

int patternOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (std::size_t i = 0; i < kPatterns.size(); ++i)
        if (suffix == QLatin1String(kPatterns[i]))
            return int(i);
    return -1;
}

} // namespace

QString sizeText(qint64 bytes) {
    if (bytes > 1048576)
        return QString::number(bytes / 1048576) + QStringLiteral(" Mo");
    if (bytes > 1024)
        return QString::number(bytes / 1024) + QStringLiteral(" Ko");
    return QStringLiteral(" %1 Octets").arg(bytes);
}

MediaIcon iconFor(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    if (suffix == QLatin1String("DIVX") || suffix == QLatin1String("AVI"))
        return MediaIcon::Avi;
    if (suffix == QLatin1String("ASF"))
        return MediaIcon::Asf;
    if (suffix == QLatin1String("MP4"))
        return MediaIcon::Mp4;
    return MediaIcon::Mpg;
}

QString shortDate(const QDateTime& when) {
    return QLocale().toString(when.date(), QLocale::ShortFormat);
}

QString clockTime(const QDateTime& when) {
    return when.time().toString(QStringLiteral("hh:mm"));
}

QList<ListedFile> listMediaFiles(const QString& folder) {
    // One pass over the folder, sorted into the patterns' order after.
    std::array<QList<ListedFile>, kPatterns.size()> byPattern;
    // Hidden files (".name", such as the "._name" copies some systems leave
    // beside a movie) are not movies to offer.
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const int pattern = patternOf(info.fileName());
        if (pattern < 0)
            continue;
        const QDateTime modified = info.lastModified();
        byPattern[std::size_t(pattern)].append({info.fileName(), iconFor(info.fileName()),
                                                sizeText(info.size()), shortDate(modified),
                                                clockTime(modified)});
    }
    QList<ListedFile> all;
    for (const QList<ListedFile>& files : byPattern)
        all += files;
    return all;
}

QStringList mediaFilesIn(const QString& folder) {
    QStringList files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        if (patternOf(name) >= 0)
            files.append(dir.filePath(name));
    return files;
}

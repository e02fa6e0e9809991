#pragma once
// What the playlist window lists of a folder: its media files, pattern by
// pattern ("*.avi", "*.divx", "*.mpg", "*.mpeg", "*.asf", "*.mp4") and, within
// a pattern, in the order the file system gives them, with their size, date
// and time as the window shows them.
#include <QDateTime>
#include <QList>
#include <QString>

enum class MediaIcon { Avi, Asf, Mp4, Mpg };

struct ListedFile {
    QString name; // without the folder
    MediaIcon icon;
    QString size, date, time;
};

// "4 Mo" above 1048576 bytes, "2 Ko" above 1024, " 512 Octets" otherwise.
QString sizeText(qint64 bytes);
// By the extension, in any letter case: ".divx" and ".avi" show as AVI,
// ".asf" as ASF, ".mp4" as MP4, anything else as MPG.
MediaIcon iconFor(const QString& fileName);
// The locale's short date and "hh:mm".
QString shortDate(const QDateTime& when);
QString clockTime(const QDateTime& when);

QList<ListedFile> listMediaFiles(const QString& folder);
// A dropped folder's media files, in name order, with their folder.
QStringList mediaFilesIn(const QString& folder);

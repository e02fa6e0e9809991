#include "support/files/whole_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QSet>
#include <cerrno>

QString fileErrorWords(int error, const QString& fallback) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("the disk is full");
    case EFBIG:
        return QStringLiteral("the file would be larger than this system allows");
    case EACCES:
    case EPERM:
        return QStringLiteral("the player has no permission to write it");
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case EIO:
        return QStringLiteral("the disk reported an error");
    default:
        break;
    }
    if (fallback.isEmpty())
        return QStringLiteral("the system gave no reason");
    return fallback.left(1).toLower() + fallback.mid(1);
}

QString saveWholeFile(const QString& path, const QByteArray& bytes, int* error) {
    int ignored = 0;
    int& failed = error ? *error : ignored;
    errno = failed = 0;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        failed = errno;
        return fileErrorWords(failed, QStringLiteral("its folder cannot be made"));
    }
    // Unbuffered, so a full disk fails the write itself. Buffered bytes would
    // only go out in commit(), whose failed flush Qt does not check before it
    // renames the short temporary file over the old one.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        failed = errno;
        // Qt refuses a file it may not write before trying, without errno.
        if (failed != EACCES && failed != EPERM && QFileInfo(path).exists() &&
            !QFileInfo(path).isWritable())
            failed = EACCES;
        return fileErrorWords(failed, file.errorString());
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        failed = errno;
        file.cancelWriting(); // the temporary file goes, the old one stays
        return fileErrorWords(failed, file.errorString());
    }
    errno = 0;
    if (!file.commit()) {
        failed = errno;
        return fileErrorWords(failed, file.errorString());
    }
    return {};
}

bool firstProblemWith(const QString& path) {
    static QMutex mutex;
    static QSet<QString> told;
    const QMutexLocker locker(&mutex);
    const QString key = QFileInfo(path).absoluteFilePath();
    if (told.contains(key))
        return false;
    told.insert(key);
    return true;
}

QString asidePathFor(const QString& path) {
    const QString base = path + QLatin1String(".corrupt-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = base;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = base + u'-' + QString::number(n);
    return candidate;
}

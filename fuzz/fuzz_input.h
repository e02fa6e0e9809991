#pragma once
// What every fuzz target shares: the input as bytes, as text, and as a
// file on disk for the readers that take a path.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A folder of this process's own for the files it writes.
inline QString folder() {
    const QString path = QDir::temp().filePath(
        QStringLiteral("vantor-fuzz-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(path);
    return path;
}

// The input written to the file `name` of that folder.
inline QString asFile(const QByteArray& input, const QString& name) {
    const QString path = QDir(folder()).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(input);
    return path;
}

} // namespace fuzz

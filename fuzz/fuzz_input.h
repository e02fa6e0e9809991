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

// The input written to a file of this process, named `name`.
inline QString asFile(const QByteArray& input, const QString& name) {
    const QString path = QDir::temp().filePath(
        QStringLiteral("vantor-fuzz-%1-%2").arg(QCoreApplication::applicationPid()).arg(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(input);
    return path;
}

} // namespace fuzz

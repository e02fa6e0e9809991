#include "app/file_names.h"

#include <QFileInfo>

QString existingFileName(const QString& name) {
    if (QFileInfo::exists(name))
        return name;
    QString trimmed = name;
    while (trimmed.endsWith(QLatin1Char(' ')))
        trimmed.chop(1);
    return QFileInfo::exists(trimmed) ? trimmed : name;
}

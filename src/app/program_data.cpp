#include "app/program_data.h"

#include <QCoreApplication>
#include <QDir>

QString programDataFolder() {
    const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath("data");
    if (QDir(installed).exists())
        return installed;
    return QStringLiteral(VANTOR_SOURCE_DATA);
}

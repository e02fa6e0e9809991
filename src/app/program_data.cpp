#include "app/program_data.h"

#include <QCoreApplication>
#include <QDir>

QString programDataFolder() {
    // Installed, and in a build tree: "data" beside the program. The build
    // tree's copy also holds the generated skins.
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("data");
    if (QDir(beside).exists())
        return beside;
    if (QDir(QStringLiteral(VANTOR_BUILD_DATA)).exists())
        return QStringLiteral(VANTOR_BUILD_DATA);
    return QStringLiteral(VANTOR_SOURCE_DATA);
}

#include "app/program_data.h"

#include <QCoreApplication>
#include <QDir>

QString programDataFolderFor(const QString& programFolder) {
    const QDir program(programFolder);
    for (const char* candidate : {"data", "../share/vantorplay", "../data"}) {
        const QString folder = QDir::cleanPath(program.filePath(QLatin1String(candidate)));
        if (QDir(folder).exists())
            return folder;
    }
    return {};
}

QString programDataFolder() {
    return programDataFolderFor(QCoreApplication::applicationDirPath());
}

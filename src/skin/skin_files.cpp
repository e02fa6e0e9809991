#include "skin/skin_files.h"

#include <QDir>
#include <QFileInfo>

QString findSkinFile(const QString& folder, const QString& name) {
    if (folder.isEmpty() || name.isEmpty())
        return {};
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    // Sorted so that two case variants of one name always resolve the same way.
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

#include "config/scenova_page.h"

#include "config/dialog_widgets.h"

#include <QDir>
#include <QFormLayout>
#include <QStorageInfo>
#include <QVBoxLayout>

using namespace dialog;

ScenovaPage::ScenovaPage() {
    setObjectName(QStringLiteral("PageScenova"));
    auto* drives = frame("Scenova drives", this);
    Drive1 = named(new QComboBox(drives), "Drive1");
    (new QFormLayout(drives))->addRow(QStringLiteral("First CD/DVD ROM"), Drive1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(drives);
    layout->addStretch();
}

void ScenovaPage::fillDrives() {
    Drive1->clear();
    auto add = [this](const QString& path, const QString& label) {
        QString folder = QDir::cleanPath(path);
        if (!folder.endsWith(u'/'))
            folder += u'/';
        if (Drive1->findData(folder) >= 0)
            return;
        Drive1->addItem(label.isEmpty() ? folder : QStringLiteral("%1 [%2]").arg(folder, label),
                        folder);
    };
    add(QDir::homePath(), {});
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& volume : volumes) {
        if (volume.isValid() && volume.isReady())
            add(volume.rootPath(),
                volume.displayName() == volume.rootPath() ? QString() : volume.displayName());
    }
}

#include "config/keys_page.h"

#include "player/key_table.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

KeysPage::KeysPage() {
    const std::vector<KeyBinding>& table = keyTable();
    keys = new QTableWidget(int(table.size()), 2, this);
    keys->setObjectName(QStringLiteral("keys"));
    keys->setHorizontalHeaderLabels({QStringLiteral("Key"), QStringLiteral("Does")});
    keys->verticalHeader()->hide();
    keys->horizontalHeader()->setStretchLastSection(true);
    keys->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keys->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < int(table.size()); ++row) {
        keys->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(table[row].keyName)));
        keys->setItem(row, 1, new QTableWidgetItem(QString::fromLatin1(table[row].description)));
    }
    keys->resizeColumnToContents(0);
    auto* note = new QLabel(
        QStringLiteral("In the bar, the video and the subtitles. Letters work with Shift or "
                       "Ctrl too."),
        this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(keys, 1);
}

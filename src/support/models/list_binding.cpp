#include "support/models/list_binding.h"

#include "support/models/selectable_list.h"

#include <QListWidget>
#include <QSignalBlocker>

void bindList(QListWidget* view, SelectableList* model) {
    auto refill = [view, model] {
        const QSignalBlocker block(view);
        view->clear();
        view->addItems(model->items());
        view->setCurrentRow(model->listIndex());
    };
    QObject::connect(model, &SelectableList::itemsChanged, view, refill);
    QObject::connect(model, &SelectableList::clicked, view, [view](int index) {
        const QSignalBlocker block(view);
        view->setCurrentRow(index);
    });
    QObject::connect(view, &QListWidget::currentRowChanged, model,
                     [model](int row) { model->setListIndex(row); });
    refill();
}

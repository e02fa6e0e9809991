#include "support/models/selectable_list.h"

void SelectableList::clear() {
    items_.clear();
    index_ = -1;
    Q_EMIT itemsChanged();
}

void SelectableList::addItem(const QString& text) {
    items_.append(text);
    Q_EMIT itemsChanged();
}

void SelectableList::setItems(const QStringList& items) {
    items_ = items;
    index_ = -1;
    Q_EMIT itemsChanged();
}

void SelectableList::removeItem(int index) {
    if (index < 0 || index >= count())
        return;
    items_.removeAt(index);
    // As a list box does: the selection stays on its entry, and goes with
    // it; no neighbour becomes selected unasked (for the aspect presets
    // that would change the ratio in use).
    if (index == index_)
        index_ = -1;
    else if (index < index_)
        --index_;
    Q_EMIT itemsChanged();
}

void SelectableList::setListIndex(int index) {
    // As a list box does: an entry that is not there changes nothing, so a
    // caller stepping past either end keeps the entry it stood on.
    if (index < -1 || index >= count())
        return;
    index_ = index;
    Q_EMIT clicked(index_);
}

int SelectableList::indexOf(const QString& text) const {
    for (int i = 0; i < count(); ++i)
        if (items_[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool SelectableList::selectText(const QString& text) {
    const int index = indexOf(text);
    if (index < 0)
        return false;
    setListIndex(index);
    return true;
}

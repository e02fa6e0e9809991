#pragma once
// An ordered list of texts with one selected entry: the model behind the
// player's list controls, usable without any widget.
#include <QObject>
#include <QStringList>

class SelectableList : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    const QStringList& items() const { return items_; }
    int count() const { return int(items_.size()); }
    QString item(int index) const { return items_.value(index); }
    // -1 when nothing is selected.
    int listIndex() const { return index_; }
    // The selected entry's text, empty when nothing is selected.
    QString text() const { return items_.value(index_); }

    void clear();
    void addItem(const QString& text);
    // Replaces every entry at once (one change for the views); nothing is
    // selected afterwards.
    void setItems(const QStringList& items);
    // Removing the selected entry leaves nothing selected.
    void removeItem(int index);
    // Selects `index` (-1 for none); any other index outside the list is
    // ignored and the selection stays.
    void setListIndex(int index);
    // Selects the first entry equal to `text` regardless of letter case;
    // returns false (and keeps the selection) when none is.
    bool selectText(const QString& text);
    int indexOf(const QString& text) const;

  Q_SIGNALS:
    void itemsChanged();
    // The selection was set, whether or not it moved, as a click does.
    void clicked(int index);

  private:
    QStringList items_;
    int index_ = -1;
};

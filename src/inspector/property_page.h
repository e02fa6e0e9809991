#pragma once
// A filter's property page: every property with its current value; the
// writable ones can be changed in place.
#include "support/media/filter_graph.h"

#include <QDialog>

class QTableWidget;
class QTableWidgetItem;

class PropertyPage : public QDialog {
    Q_OBJECT
  public:
    PropertyPage(const FilterInfo& filter, QWidget* parent);

  private:
    void reload();
    void onEdited(QTableWidgetItem* item);
    FilterInfo filter_;
    QTableWidget* table_;
    bool loading_ = false;
};

#pragma once
// Lists the graph's filters and opens the property page of the chosen one.
#include <QDialog>

class GraphInspector;
class QListWidget;

class frmFilterProp : public QDialog {
    Q_OBJECT
  public:
    frmFilterProp(GraphInspector& inspector, QWidget* parent);
    // A stop empties the list; the next showing fills it again.
    void clearList();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Activate();
    GraphInspector& inspector_;
    QListWidget* listFiltersP;
};

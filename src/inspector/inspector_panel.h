#pragma once
// The inspector's panel on the main window: views of the inspector's lists
// and labels, and its command buttons. The main window wires the graph
// commands and the play queue.
#include <QWidget>

class GraphInspector;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class SelectableList;

class InspectorPanel : public QWidget {
    Q_OBJECT
  public:
    InspectorPanel(GraphInspector& inspector, SelectableList& playQueue, QWidget* parent);

    QPushButton* cmdAddRegFilter;
    QPushButton* cmdConnect;
    QPushButton* cmdRender;
    QPushButton* Command4;
    QPushButton* cmdRun;
    QPushButton* cmdPause;
    QPushButton* cmdStop;
    QPushButton* cmdNewGraph;
    QPushButton* Command1; // add to the play queue
    QPushButton* Command2; // remove from the play queue
    QPushButton* Command3; // play the selected queue entry

  private:
    void showLabels();
    GraphInspector& inspector_;
    QLabel* lblFilterName;
    QLabel* lblVendorInfo;
    QPlainTextEdit* txtPinInfo;
};

#pragma once
// The main window: start-up, the exit sequence, the player's state, the
// filter graph inspector panel and the graph commands.
#include "app/command_line.h"
#include "app/file_names.h"
#include "app/player_state.h"
#include "inspector/graph_inspector.h"
#include "support/bounded_value.h"
#include "support/selectable_list.h"
#include "support/settings_store.h"

#include <QWidget>

class InspectorPanel;
class QLabel;
class frmFilterProp;

class frmMain : public QWidget {
    Q_OBJECT
  public:
    explicit frmMain(QString commandLine, QWidget* parent = nullptr);
    ~frmMain() override;

    PlayerState state;
    GraphInspector inspector;
    // The play queue: full paths, the selection is the current entry.
    SelectableList List1;
    // The volume in hundredths of a decibel: -10000 silent, 0 full.
    BoundedValue Slider2{-10000, 0, 0};

    // The start-up sequence.
    void Form_Load();
    // Last-chance saving when the program ends without ExitMe.
    void Form_Unload();
    void Form_Terminate();

    // What the command line asked for at start-up.
    const CommandLineRequest& commandLineRequest() const { return request_; }

    // Opens and plays a file by letting the framework build the whole graph.
    bool OpenaMovie(const QString& movieFileName, bool loop);

    // Graph commands (the inspector's Run, Pause and Stop buttons).
    void cmdRun_Click();
    void cmdPause_Click();
    void cmdStop_Click();

    void showInspector(bool show);
    bool inspectorShown() const;

  public Q_SLOTS:
    // The exit command: stops, saves and ends the program.
    void ExitMe();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void releaseReferences();
    void saveVolume();
    void buildWindow();
    void wireInspector();
    void onGraphError(quint64 graphId, const QString& message);

    SettingsStore settings_;
    QString commandLine_;
    CommandLineRequest request_;
    InspectorPanel* panel_ = nullptr;
    frmFilterProp* filterProp_ = nullptr;
    QLabel* status_ = nullptr;
    bool exiting_ = false;
};

#pragma once
// The filter graph inspector as a window of its own beside the bar: its
// panel, the dialogs it asks for, and what its buttons do to the player.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>

class GraphInspector;
class InspectorPanel;
class MovieOpener;
class QWidget;
class SelectableList;
class Transport;

class InspectorWindow : public QObject {
    Q_OBJECT
  public:
    struct Player {
        Transport& transport;
        MovieOpener& opener;
        SelectableList& queue;
        std::function<void()> playQueue; // from its selected entry, else the first
    };
    InspectorWindow(GraphInspector& inspector, Player player, QWidget& bar);
    ~InspectorWindow() override;

    // Beside the bar, never over it: below, or above or beside it when the
    // screen ends first.
    void show(bool show);
    bool shown() const;
    InspectorPanel* panel() const { return panel_.get(); }

  protected:
    // Ctrl+I closes the inspector from inside it too.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void wire();
    void place();
    bool placeClear(const QRect& bar, const QRect& screen);
    QPoint onScreen(QPoint at, const QRect& screen) const;
    GraphInspector& inspector_;
    Player player_;
    QWidget& bar_;
    std::unique_ptr<InspectorPanel> panel_;
};

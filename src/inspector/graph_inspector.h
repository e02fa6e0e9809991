#pragma once
// The filter graph inspector: lists the registered filters, the graph's
// filters and the selected filter's pins, and adds, connects and renders by
// name. The player builds its graphs through these same operations.
#include "inspector/pin_selector.h"
#include "player/playback.h"
#include "support/models/selectable_list.h"

#include <QObject>
#include <functional>
#include <optional>

class GraphInspector : public QObject {
    Q_OBJECT
  public:
    explicit GraphInspector(Playback& playback, QObject* parent = nullptr);

    SelectableList listRegFilters;
    SelectableList listFilters;
    SelectableList listPins;
    QString lblFilterName;
    QString lblVendorInfo;
    QString txtPinInfo;
    // The filter whose pins are listed.
    FilterInfo listedFilter;
    // Registered filters of the current graph manager; unset before one exists.
    std::optional<QList<RegFilterInfo>> RegFilters;
    // The filter and pin chosen in the lists; the player's opens build
    // through them too.
    FilterInfo SelectedFilter;
    PinInfo SelectedPin;
    // The pin-selection dialog's logic, kept between uses.
    PinSelector frmSelectPin;

    // What the windows provide: the open dialog for a new file source
    // (empty when cancelled), the pin-selection dialog (true when the user
    // accepted), and the property pages of a filter.
    std::function<QString()> chooseSourceFile;
    std::function<bool(PinSelector&)> runSelectPin;
    std::function<void(const FilterInfo&)> showPropertyPages;

    void RefreshRegFilters();
    void RefreshFilters();
    void listFilters_Click();
    void listPins_Click();
    void cmdAddRegFilter_Click();
    void cmdConnect_Click();
    // Readies the pin-selection logic for the selected pin, as the connect
    // command does before it shows the dialog.
    void prepareSelectPin();
    void RefreshPins();
    void cmdRender_Click();
    void Command4_Click();
    // Starts an empty graph and refills the registered filters.
    void NewGraph();
    // Empties the filter and pin lists and labels.
    void clearGraphViews();
    // Lets go of every filter, pin and graph it holds (at exit).
    void release();

  Q_SIGNALS:
    // Labels or the pin text changed.
    void labelsChanged();
    // NewGraph made the graph that is now current: every graph the player
    // makes passes here, so the main window hears from each of them.
    void graphCreated(FilterGraph* graph);

  private:
    void setPinInfo(const QString& text);
    Playback& playback_;
};

// The connection and direction text shown for a pin.
QString pinInfoText(const PinInfo& pin);

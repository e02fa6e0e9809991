#pragma once
// Chooses the pin to connect to: the free pins of the other direction, by
// filter. The logic of the pin-selection dialog.
#include "support/media/filter_graph.h"
#include "support/models/selectable_list.h"

#include <memory>

class PinSelector {
  public:
    PinSelector();

    // What the dialog is asked: the direction of the pin being connected,
    // the graph, and the filter that pin belongs to.
    PinDirection direction = PinDirection::Output;
    std::shared_ptr<FilterGraph> graph;
    FilterInfo connectingFilter;

    SelectableList listFilters;
    SelectableList listPins;
    QString VendorInfo;
    PinInfo chosenPin;
    bool accepted = false;

    // Lists the filters that have a free pin of the other direction and
    // selects the first.
    void RefreshFilters();
    // Takes the pin named by listPins' selection as the choice.
    void accept();

    // Whether `pin` counts: unconnected and of the other direction.
    bool counts(const PinInfo& pin) const;

  private:
    void listFilters_Click();
    FilterInfo selectedFilter() const;
};

#include "inspector/pin_selector.h"

PinSelector::PinSelector() {
    QObject::connect(&listFilters, &SelectableList::clicked, [this] { listFilters_Click(); });
}

bool PinSelector::counts(const PinInfo& pin) const {
    return !pin.connectedTo() && pin.direction() != direction;
}

void PinSelector::RefreshFilters() {
    listFilters.clear();
    listPins.clear();
    VendorInfo.clear();
    if (!graph)
        return;
    for (const FilterInfo& filter : graph->filterCollection()) {
        const QList<PinInfo> pins = filter.pins();
        if (std::any_of(pins.begin(), pins.end(), [this](const PinInfo& p) { return counts(p); }))
            listFilters.addItem(filter.name());
    }
    if (listFilters.count() > 0)
        listFilters.setListIndex(0);
}

FilterInfo PinSelector::selectedFilter() const {
    if (!graph)
        return {};
    const QString name = listFilters.text();
    for (const FilterInfo& filter : graph->filterCollection())
        if (filter.name() == name)
            return filter;
    return {};
}

void PinSelector::listFilters_Click() {
    listPins.clear();
    const FilterInfo filter = selectedFilter();
    VendorInfo = filter.vendorInfo();
    for (const PinInfo& pin : filter.pins())
        if (counts(pin))
            listPins.addItem(pin.name());
    if (listPins.count() > 0)
        listPins.setListIndex(0);
}

void PinSelector::accept() {
    const QString name = listPins.text();
    for (const PinInfo& pin : selectedFilter().pins()) {
        if (pin.name().compare(name, Qt::CaseInsensitive) == 0) {
            chosenPin = pin;
            accepted = true;
            return;
        }
    }
}

#include "inspector/graph_inspector.h"

GraphInspector::GraphInspector(PlayerState& state, QObject* parent)
    : QObject(parent), state_(state) {
    connect(&listFilters, &SelectableList::clicked, this, [this] { listFilters_Click(); });
    connect(&listPins, &SelectableList::clicked, this, [this] { listPins_Click(); });
}

QString pinInfoText(const PinInfo& pin) {
    QString text;
    if (const MediaResult<PinInfo> peer = pin.connectedTo()) {
        text += QStringLiteral("Connected to pin: ") + peer.value().name() + QStringLiteral(" ");
        text +=
            QStringLiteral(" on filter: ") + peer.value().filterInfo().name() + QStringLiteral(" ");
        text += QStringLiteral("\nMedia Type: ");
        if (const MediaResult<MediaTypeInfo> type = pin.connectionMediaType())
            text += type.value().type();
    }
    text += QStringLiteral(" \n");
    text += pin.direction() == PinDirection::Output ? QStringLiteral("Direction: Output")
                                                    : QStringLiteral("Direction: Input");
    return text;
}

void GraphInspector::setPinInfo(const QString& text) {
    txtPinInfo = text;
    Q_EMIT labelsChanged();
}

void GraphInspector::RefreshRegFilters() {
    QStringList names;
    if (state_.RegFilters)
        for (const RegFilterInfo& filter : *state_.RegFilters)
            names << filter.name();
    listRegFilters.setItems(names);
    if (listRegFilters.count() > 0)
        listRegFilters.setListIndex(0);
}

void GraphInspector::RefreshFilters() {
    QStringList names;
    if (state_.MediaControl)
        for (const FilterInfo& filter : state_.MediaControl->filterCollection())
            names << filter.name();
    listFilters.setItems(names);
    if (listFilters.count() > 0)
        listFilters.setListIndex(0);
}

void GraphInspector::listFilters_Click() {
    if (!state_.MediaControl)
        return;
    const QString name = listFilters.text();
    for (const FilterInfo& filter : state_.MediaControl->filterCollection()) {
        if (filter.name() != name)
            continue;
        state_.SelectedFilter = filter;
        listedFilter = filter;
        lblFilterName = filter.name();
        lblVendorInfo = filter.vendorInfo();
        QStringList pins;
        for (const PinInfo& pin : filter.pins())
            pins << pin.name();
        listPins.setItems(pins);
        Q_EMIT labelsChanged();
        if (listPins.count() > 0)
            listPins.setListIndex(0);
        return;
    }
}

void GraphInspector::listPins_Click() {
    const QString name = listPins.text().toLower();
    for (const PinInfo& pin : listedFilter.pins()) {
        if (pin.name().toLower() == name) {
            state_.SelectedPin = pin;
            setPinInfo(pinInfoText(pin));
            return;
        }
    }
}

void GraphInspector::cmdAddRegFilter_Click() {
    if (!state_.RegFilters || !state_.MediaControl)
        return;
    const QString wanted = listRegFilters.text().toLower();
    for (const RegFilterInfo& registered : *state_.RegFilters) {
        if (registered.name().toLower() != wanted)
            continue;
        MediaResult<FilterInfo> added = registered.filter(*state_.MediaControl);
        if (!added)
            return;
        if (added.value().isFileSource()) {
            const QString file = chooseSourceFile ? chooseSourceFile() : QString();
            if (file.isEmpty())
                return;
            // A file source is named by its file: replace the blank one.
            state_.MediaControl->removeFilter(added.value());
            state_.MediaControl->addSourceFilter(file);
        }
        RefreshFilters();
        return;
    }
}

void GraphInspector::prepareSelectPin() {
    frmSelectPin.direction = state_.SelectedPin.direction();
    frmSelectPin.graph = state_.MediaControl;
    frmSelectPin.connectingFilter = listedFilter;
    frmSelectPin.accepted = false;
    frmSelectPin.chosenPin = PinInfo();
    frmSelectPin.RefreshFilters();
}

void GraphInspector::cmdConnect_Click() {
    if (!state_.MediaControl || state_.SelectedPin.isNull())
        return;
    prepareSelectPin();
    if (runSelectPin && runSelectPin(frmSelectPin) && frmSelectPin.accepted) {
        state_.SelectedPin.connect(frmSelectPin.chosenPin);
        RefreshFilters();
    }
}

void GraphInspector::RefreshPins() {
    frmSelectPin.RefreshFilters();
    if (frmSelectPin.accepted && !state_.SelectedPin.isNull()) {
        // A choice is used once: later refreshes must not connect again.
        frmSelectPin.accepted = false;
        state_.SelectedPin.connect(frmSelectPin.chosenPin);
        RefreshFilters();
    }
}

void GraphInspector::cmdRender_Click() {
    // Renders the pin the user selected; the first filter's first pin only
    // when no pin is selected.
    if (state_.SelectedPin.isNull() && listFilters.count() > 0)
        listFilters.setListIndex(0);
    if (state_.SelectedPin.isNull() || !state_.SelectedPin.render())
        return;
    RefreshFilters();
}

void GraphInspector::Command4_Click() {
    if (!listedFilter.isNull() && showPropertyPages)
        showPropertyPages(listedFilter);
}

void GraphInspector::clearGraphViews() {
    listFilters.clear();
    listPins.clear();
    txtPinInfo.clear();
    lblFilterName.clear();
    lblVendorInfo.clear();
    Q_EMIT labelsChanged();
}

void GraphInspector::NewGraph() {
    state_.SelectedFilter = FilterInfo();
    state_.SelectedPin = PinInfo();
    listedFilter = FilterInfo();
    // Nothing here may keep the old graph alive.
    frmSelectPin.graph.reset();
    frmSelectPin.connectingFilter = FilterInfo();
    frmSelectPin.chosenPin = PinInfo();
    state_.RegFilters.reset();
    state_.releaseGraph();
    state_.attachGraph(std::make_shared<FilterGraph>());
    Q_EMIT graphCreated(state_.MediaControl.get());
    state_.RegFilters = FilterGraph::regFilterCollection();
    RefreshRegFilters();
    clearGraphViews();
    state_.PlayState = PlayStopped;
}

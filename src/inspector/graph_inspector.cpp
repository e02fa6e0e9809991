#include "inspector/graph_inspector.h"

GraphInspector::GraphInspector(Playback& playback, QObject* parent)
    : QObject(parent), playback_(playback) {
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
    if (RegFilters)
        for (const RegFilterInfo& filter : *RegFilters)
            names << filter.name();
    listRegFilters.setItems(names);
    if (listRegFilters.count() > 0)
        listRegFilters.setListIndex(0);
}

void GraphInspector::RefreshFilters() {
    QStringList names;
    if (playback_.MediaControl())
        for (const FilterInfo& filter : playback_.MediaControl()->filterCollection())
            names << filter.name();
    listFilters.setItems(names);
    if (listFilters.count() > 0)
        listFilters.setListIndex(0);
}

void GraphInspector::listFilters_Click() {
    if (!playback_.MediaControl())
        return;
    const QString name = listFilters.text();
    for (const FilterInfo& filter : playback_.MediaControl()->filterCollection()) {
        if (filter.name() != name)
            continue;
        SelectedFilter = filter;
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
            SelectedPin = pin;
            setPinInfo(pinInfoText(pin));
            return;
        }
    }
}

void GraphInspector::cmdAddRegFilter_Click() {
    if (!RegFilters || !playback_.MediaControl())
        return;
    const QString wanted = listRegFilters.text().toLower();
    for (const RegFilterInfo& registered : *RegFilters) {
        if (registered.name().toLower() != wanted)
            continue;
        MediaResult<FilterInfo> added = registered.filter(*playback_.MediaControl());
        if (!added)
            return;
        if (added.value().isFileSource()) {
            const QString file = chooseSourceFile ? chooseSourceFile() : QString();
            if (file.isEmpty())
                return;
            // A file source is named by its file: replace the blank one.
            playback_.MediaControl()->removeFilter(added.value());
            playback_.MediaControl()->addSourceFilter(file);
        }
        RefreshFilters();
        return;
    }
}

void GraphInspector::prepareSelectPin() {
    frmSelectPin.direction = SelectedPin.direction();
    frmSelectPin.graph = playback_.MediaControl();
    frmSelectPin.connectingFilter = listedFilter;
    frmSelectPin.accepted = false;
    frmSelectPin.chosenPin = PinInfo();
    frmSelectPin.RefreshFilters();
}

void GraphInspector::cmdConnect_Click() {
    if (!playback_.MediaControl() || SelectedPin.isNull())
        return;
    prepareSelectPin();
    if (runSelectPin && runSelectPin(frmSelectPin) && frmSelectPin.accepted) {
        SelectedPin.connect(frmSelectPin.chosenPin);
        RefreshFilters();
    }
}

void GraphInspector::RefreshPins() {
    frmSelectPin.RefreshFilters();
    if (frmSelectPin.accepted && !SelectedPin.isNull()) {
        // A choice is used once: later refreshes must not connect again.
        frmSelectPin.accepted = false;
        SelectedPin.connect(frmSelectPin.chosenPin);
        RefreshFilters();
    }
}

void GraphInspector::cmdRender_Click() {
    // Renders the pin the user selected; the first filter's first pin only
    // when no pin is selected.
    if (SelectedPin.isNull() && listFilters.count() > 0)
        listFilters.setListIndex(0);
    if (SelectedPin.isNull() || !SelectedPin.render())
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
    SelectedFilter = FilterInfo();
    SelectedPin = PinInfo();
    listedFilter = FilterInfo();
    // Nothing here may keep the old graph alive.
    frmSelectPin.graph.reset();
    frmSelectPin.connectingFilter = FilterInfo();
    frmSelectPin.chosenPin = PinInfo();
    RegFilters.reset();
    playback_.beginOpen(std::make_shared<FilterGraph>());
    Q_EMIT graphCreated(playback_.MediaControl().get());
    RegFilters = FilterGraph::regFilterCollection();
    RefreshRegFilters();
    clearGraphViews();
}

void GraphInspector::release() {
    SelectedFilter = FilterInfo();
    SelectedPin = PinInfo();
    listedFilter = FilterInfo();
    frmSelectPin.chosenPin = PinInfo();
    frmSelectPin.connectingFilter = FilterInfo();
    frmSelectPin.graph.reset();
    playback_.releaseGraph();
    RegFilters.reset();
}

#include "graph_fixture.h"

#include <gst/gst.h>

GraphEvents::GraphEvents(FilterGraph& graph) {
    QObject::connect(&graph, &FilterGraph::endOfStream, [this](quint64) { ended = true; });
    QObject::connect(&graph, &FilterGraph::prerolled, [this](quint64) { prerolled = true; });
    QObject::connect(&graph, &FilterGraph::errorOccurred,
                     [this](quint64, const QString& message) { error = message; });
}

bool GraphEvents::waitForEnd(int timeoutMs) {
    return testsupport::waitUntil([this] { return ended || !error.isEmpty(); }, timeoutMs) && ended;
}

bool GraphEvents::waitForPreroll(int timeoutMs) {
    return testsupport::waitUntil([this] { return prerolled || !error.isEmpty(); }, timeoutMs) &&
           prerolled;
}

FilterInfo findFilter(FilterGraph& graph, const QString& name) {
    for (const FilterInfo& filter : graph.filterCollection())
        if (filter.name() == name)
            return filter;
    return {};
}

PinInfo findPin(const FilterInfo& filter, const QString& name) {
    for (const PinInfo& pin : filter.pins())
        if (pin.name().compare(name, Qt::CaseInsensitive) == 0)
            return pin;
    return {};
}

FilterInfo addRegistered(FilterGraph& graph, const QString& name) {
    for (const RegFilterInfo& registered : FilterGraph::regFilterCollection()) {
        if (registered.name() == name) {
            const MediaResult<FilterInfo> added = registered.filter(graph);
            return added ? added.value() : FilterInfo();
        }
    }
    return {};
}

double outputVolume(const FilterInfo& audioOutput) {
    GstElement* volume = gst_bin_get_by_name(GST_BIN(audioOutput.element()), "volume");
    if (!volume)
        return -1;
    double linear = -1;
    g_object_get(volume, "volume", &linear, nullptr);
    gst_object_unref(volume);
    return linear;
}

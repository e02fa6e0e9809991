#pragma once
// Helpers for tests that build real graphs on the generated media.
#include "support/media/filter_graph.h"
#include "test_support.h"

#include <gtest/gtest.h>

// Watches one graph's events.
struct GraphEvents {
    explicit GraphEvents(FilterGraph& graph);
    bool ended = false;
    bool prerolled = false;
    QString error;
    bool waitForEnd(int timeoutMs = 15000);
    bool waitForPreroll(int timeoutMs = 8000);
};

FilterInfo findFilter(FilterGraph& graph, const QString& name);
PinInfo findPin(const FilterInfo& filter, const QString& name);
// Adds the registered filter named `name` (as the inspector would).
FilterInfo addRegistered(FilterGraph& graph, const QString& name);
// The linear volume set on an audio output's volume stage.
double outputVolume(const FilterInfo& audioOutput);

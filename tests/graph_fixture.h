#pragma once
// Helpers for tests that build real graphs on the generated media.
#include "support/media/filter_graph.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <memory>

// Watches one graph's events.
struct GraphEvents {
    explicit GraphEvents(FilterGraph& graph);
    bool ended = false;
    bool prerolled = false;
    QString error;
    bool waitForPreroll(int timeoutMs = 8000);
};

FilterInfo findFilter(FilterGraph& graph, const QString& name);
PinInfo findPin(const FilterInfo& filter, const QString& name);
// Adds the registered filter named `name` (as the inspector would).
FilterInfo addRegistered(FilterGraph& graph, const QString& name);
// The linear volume set on an audio output's volume stage.
double outputVolume(const FilterInfo& audioOutput);

// The tone reaching an audio output: its first channel's rising zero crossings per fifth of a
// second.
class ToneTap {
  public:
    explicit ToneTap(const FilterInfo& audioOutput);
    ~ToneTap();
    ToneTap(const ToneTap&) = delete;
    ToneTap& operator=(const ToneTap&) = delete;
    // Hz of the last whole fifth of a second; 0 before one has passed.
    double frequency() const;
    // Waits until the tone is `hz`, within 3 %.
    bool waitForTone(double hz, int timeoutMs = 6000) const;

    struct Count;

  private:
    std::shared_ptr<Count> count_;
    struct _GstPad* pad_ = nullptr;
    unsigned long probe_ = 0;
};

// An H.264 Matroska movie of `frames` at 25 a second, titled `title`, with chapters at `starts`
// (gst-launch cannot write chapters).
bool writeMovie(const QString& path, QSize size, int frames, const QList<double>& starts = {},
                const QString& title = {});

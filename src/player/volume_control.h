#pragma once
// The player's volume: a level in hundredths of a decibel from -10000
// (silent) to 0 (full), moved in steps of 454, with a mute toggle that
// remembers the level it silenced in the "Volume" setting.
#include "support/models/bounded_value.h"
#include "support/settings/settings_store.h"

#include <functional>
#include <optional>

class VolumeControl {
  public:
    static constexpr int kStep = 454;
    static constexpr int kSilent = -10000;
    static constexpr int kFull = 0;

    struct Hooks {
        // Sets the running graph's volume; does nothing without a graph.
        std::function<void(int level)> applyToGraph;
        // Shows picture-store slot `slot` (1..22) in the volume meter.
        std::function<void(int slot)> showMeterSlot;
        // The level changed (the level bar follows it).
        std::function<void(int level)> levelChanged;
    };

    // `muted` is the player's flag; opening a movie clears it elsewhere.
    VolumeControl(bool& muted, SettingsStore& settings, Hooks hooks = {});

    Hooks hooks;

    int level() const { return Slider2.value(); }
    // Returns false and keeps the level when it is outside -10000..0.
    bool setLevel(int level);

    // The volume buttons and keys. A step past either end is refused; the
    // meter and the graph are brought in line either way.
    bool VolumeUp();
    bool VolumeDown();
    // The mute toggle on the volume meter.
    void MuteSound();
    bool muted() const { return muted_; }

    // Start-up: the stored "Volume" text; a text that is not a level in
    // range changes nothing. Returns whether it was taken.
    bool restore(const QString& stored);
    // Start-up and every Run: the meter and the graph take the current
    // level. The level itself does not move, so full level stays full.
    void redraw();
    // The skin loader's down-and-up: at the silent end only the step up
    // remains.
    void stepDownThenUp();

    // What "Volume" is to hold at exit: while muted (or still silent after
    // an open cleared the flag) the level from before muting, so the next
    // start is not silent.
    int levelToSave() const;

  private:
    bool step(int delta, bool upTable);
    void userStep();
    void showMeter(bool upTable);
    void apply();

    BoundedValue Slider2{kSilent, kFull, kFull};
    bool& muted_;
    SettingsStore& settings_;
    std::optional<int> beforeMute_;
};

// Height of the level bar in twips: 0 at full level, 1000 when silent.
inline int levelBarHeightTwips(int level) {
    return -level / 10;
}

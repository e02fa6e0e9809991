#include "player/volume_control.h"

#include "skin/volume_meter.h"

namespace {
const QString kVolumeKey = QStringLiteral("Volume");
}

VolumeControl::VolumeControl(bool& muted, SettingsStore& settings, Hooks hooks)
    : hooks(std::move(hooks)), muted_(muted), settings_(settings) {}

bool VolumeControl::setLevel(int level) {
    if (!Slider2.setValue(level))
        return false;
    if (hooks.levelChanged)
        hooks.levelChanged(level);
    return true;
}

bool VolumeControl::step(int delta, bool upTable) {
    const bool moved = setLevel(level() + delta);
    showMeter(upTable);
    apply();
    return moved;
}

void VolumeControl::showMeter(bool upTable) {
    const std::optional<int> slot =
        upTable ? volumeMeterSlotAfterUp(level()) : volumeMeterSlotAfterDown(level());
    if (slot && hooks.showMeterSlot)
        hooks.showMeterSlot(*slot);
}

void VolumeControl::apply() {
    if (hooks.applyToGraph)
        hooks.applyToGraph(level());
}

bool VolumeControl::VolumeUp() {
    userStep();
    return step(kStep, true);
}

bool VolumeControl::VolumeDown() {
    userStep();
    return step(-kStep, false);
}

// Outside mute a step is the user choosing a new level to keep.
void VolumeControl::userStep() {
    if (!muted_)
        beforeMute_.reset();
}

void VolumeControl::stepDownThenUp() {
    step(-kStep, false);
    step(kStep, true);
}

void VolumeControl::MuteSound() {
    // An open clears the flag but leaves the sound off: the click that
    // follows is the user's unmute, and the silence is never saved as
    // their level.
    const bool stillSilencedByMute = beforeMute_ && level() == kSilent;
    if (!muted_ && !stillSilencedByMute) {
        settings_.write(kVolumeKey, QString::number(level()));
        beforeMute_ = level();
        setLevel(kSilent);
        step(-kStep, false); // refused at the bottom: shows the lowest picture
        muted_ = true;
        return;
    }
    restore(settings_.read(kVolumeKey, QStringLiteral("0")));
    beforeMute_.reset();
    redraw();
    muted_ = false;
}

bool VolumeControl::restore(const QString& stored) {
    bool ok = false;
    const int value = stored.toInt(&ok);
    return ok && setLevel(value);
}

void VolumeControl::redraw() {
    // A level off both grids (set by the desktop's sound applet, or a
    // stored one) shows the nearest picture rather than a stale one.
    const std::optional<int> slot = volumeMeterSlotAfterUp(level());
    if (hooks.showMeterSlot)
        hooks.showMeterSlot(slot.value_or(nearestVolumeMeterSlot(level())));
    apply();
}

int VolumeControl::levelToSave() const {
    if (beforeMute_ && (muted_ || level() == kSilent))
        return *beforeMute_;
    return level();
}

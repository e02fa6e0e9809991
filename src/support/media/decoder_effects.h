#pragma once
// The decoder settings the configuration dialog keeps in the registry, as the
// graph builder applies them: a videobalance stage, a ten-band equaliser, the
// audio channel layout and the post-processing level.
#include "support/registry/registry_store.h"

#include <array>
#include <gst/gst.h>

struct DecoderEffects {
    // Sliders 0..100, 50 is neutral. Missing values read as neutral, so an
    // empty registry leaves the picture alone.
    int brightness = 50;
    int contrast = 50;
    int saturation = 50;
    int hue = 50;
    // The second video decoder's page: 0..127, 0 is neutral; they act on
    // the same picture stage, on top of the first page's.
    int brightness2 = 0;
    int contrast2 = 0;
    int saturation2 = 0;
    // Stored equaliser values 0..50, index = registry "Band i": 0 is the
    // 19.2 kHz slider, 9 the 25 Hz one.
    std::array<int, 10> equaliser{};
    // "Postprocessing" as stored, ten per level.
    int postProcessing = 10;
    // Speaker mode row 0..6, -1 when no preset was imported.
    int speakerMode = -1;
    int channels = 0; // 1, 2, 4 or 6; 0 leaves the decoded layout as it is
    bool surroundMatrix = false;
    bool spatial = false;
    bool passThrough = false; // compressed audio goes to the output untouched
};

DecoderEffects readDecoderEffects(const RegistryStore& store = RegistryStore::user());

// The videobalance values for the sliders: brightness and hue (v - 50) / 50
// (-1..1), contrast and saturation v / 50 (0..2). Linear, so 50 is exactly
// the element's neutral 0 and 1; out-of-range sliders are held to 0..100.
// The second page adds up to half the range to the brightness and up to
// double the contrast and saturation (v / 127), within the element's range.
struct VideoBalanceValues {
    double brightness = 0;
    double contrast = 1;
    double saturation = 1;
    double hue = 0;
};
VideoBalanceValues videoBalanceValues(const DecoderEffects& effects);
void applyVideoBalance(GstElement* videobalance, const DecoderEffects& effects);

// Gain of a stored equaliser value 0..50 (shown as "+0 Db".."+50 Db"): the
// slider's travel maps linearly onto the element's boost, 0 dB (flat) to
// +12 dB.
double equaliserGainDb(int stored);
// equalizer-10bands' band0 is its lowest frequency (29 Hz), so registry band
// i drives band 9 - i.
void applyEqualizer(GstElement* equalizer10bands, const DecoderEffects& effects);

// Caps for a capsfilter after an audioconvert: audio/x-raw with the
// channels (and, above one, the channel mask: stereo, quad, 5.1). NULL when
// the layout is to be left as it is (pass-through, no mode, other counts).
// The caller owns the caps.
GstCaps* audioChannelCaps(const DecoderEffects& effects);

// Post-processing level 0..6 for decoders that offer one.
int postProcessingLevel(const DecoderEffects& effects);

#pragma once
// Where the decoder settings live in the per-user registry (under
// HKEY_CURRENT_USER). The configuration dialog edits them; the graph builder
// reads them, so both take the names from here.

namespace decoderkeys {

// First video decoder and the audio equaliser.
inline constexpr char kScrunch[] = "Software\\Microsoft\\Scrunch";
inline constexpr char kScrunchVideo[] = "Software\\Microsoft\\Scrunch\\Video";
inline constexpr char kScrunchAudio[] = "Software\\Microsoft\\Scrunch\\WMAudio";
// Second video decoder.
inline constexpr char kDivX4[] = "Software\\DivXNetworks\\DivX4Windows";
// The speaker mode, as the speaker presets write it.
inline constexpr char kSpeakers[] = "Software\\OrvaneSoft\\Vantor\\Audio Decoder";

inline constexpr char kPostProcessMode[] = "Current Post Process Mode";
inline constexpr char kCpuClockSpeed[] = "CPU Clock Speed";
inline constexpr char kBrightness[] = "Brightness";
inline constexpr char kContrast[] = "Contrast";
inline constexpr char kSaturation[] = "Saturation";
inline constexpr char kHue[] = "Hue";
inline constexpr char kBandPrefix[] = "Band "; // followed by 0..9, "Band 0" is 19.2 kHz
inline constexpr char kPostprocessing[] = "Postprocessing";

// Speaker preset values (all 32-bit numbers).
inline constexpr char kSpeakerMode[] = "Speaker Mode"; // row of the speaker list, 0..6
inline constexpr char kChannels[] = "Channels";        // 1, 2, 4 or 6; 0 leaves the stream as is
inline constexpr char kSurroundMatrix[] = "Surround Matrix"; // 1: matrix-encoded stereo
inline constexpr char kSpatial[] = "Spatial";                // 1: widened stereo ("3D")
inline constexpr char kPassThrough[] = "Pass Through";       // 1: compressed audio to the output

} // namespace decoderkeys

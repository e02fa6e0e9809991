// Subtitle files: the first byte picks the format, the character set and
// the movie's frame rate; the rest is the file.
#include "fuzz_input.h"
#include "subtitles/subtitle_codec.h"
#include "subtitles/subtitle_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const SubtitleFormat formats[] = {SubtitleFormat::TimeCoded, SubtitleFormat::FrameCoded,
                                      SubtitleFormat::SubRip};
    const SubtitleFormat format = formats[data[0] % 3];
    const int characterSet = (data[0] >> 2) % 13;
    const double rates[] = {0, 23.976, 25, 1e-9, 1e12};
    const double rate = rates[(data[0] >> 6) % 5];
    const QString text = decodeSubtitleBytes(fuzz::bytes(data + 1, size - 1), characterSet);
    parseSubtitles(text, format, rate, int(size % 7) - 3);
    return 0;
}

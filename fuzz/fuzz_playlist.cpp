// ".lst" and M3U playlists, read as the player reads them from disk.
#include "fuzz_input.h"
#include "playlist/playlist_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::bytes(data, size);
    readPlaylistFile(fuzz::asFile(input, QStringLiteral("list.lst")));
    readPlaylistFile(fuzz::asFile(input, QStringLiteral("list.m3u")));
    readPlaylistFile(fuzz::asFile(input, QStringLiteral("list.m3u8")));
    return 0;
}

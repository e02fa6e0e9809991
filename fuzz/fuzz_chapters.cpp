// Chapter files (".vcx").
#include "fuzz_input.h"
#include "player/chapter_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ChapterList::readEntries(fuzz::asFile(fuzz::bytes(data, size), QStringLiteral("m.vcx")));
    return 0;
}

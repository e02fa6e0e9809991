// A skin's "VSkin.ini".
#include "fuzz_input.h"
#include "skin/skin_description.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromLatin1(fuzz::bytes(data, size));
    parseSkinDescription(text);
    skinColorComponent(text);
    skinTwipsValue(text, size % 2 == 0);
    return 0;
}

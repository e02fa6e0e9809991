// The AVI header probe.
#include "fuzz_input.h"
#include "support/probe/avi_header_reader.h"

#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray input = fuzz::bytes(data, size);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    if (const MediaResult<AviHeaders> headers = AviHeaderReader::read(buffer)) {
        headers.value().frameCount();
        headers.value().durationSeconds();
    } else if (headers.error().isEmpty()) {
        std::abort(); // a refusal the user is not told the reason of
    }
    return 0;
}

// "DAR.ini" aspect-ratio presets, and a preset typed in the dialog.
#include "fuzz_input.h"
#include "support/models/selectable_list.h"
#include "video/dar_presets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::bytes(data, size);
    SelectableList list;
    DarPresets presets(list);
    presets.read(fuzz::asFile(input, QStringLiteral("DAR.ini")));
    presets.menuCaptions();
    presets.add(QString::fromUtf8(input.left(64)));
    return 0;
}

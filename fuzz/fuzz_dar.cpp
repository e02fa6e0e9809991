// "DAR.ini" aspect-ratio presets, and a preset typed in the dialog.
#include "fuzz_input.h"
#include "support/models/selectable_list.h"
#include "video/aspect_ratio.h"
#include "video/dar_presets.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::bytes(data, size);
    SelectableList list;
    DarPresets presets(list);
    presets.read(fuzz::asFile(input, QStringLiteral("DAR.ini")));
    presets.menuCaptions();
    const QString typed = QString::fromUtf8(input.left(64));
    presets.add(typed);
    QString problem;
    if (!parseRatio(typed, &problem) && problem.isEmpty())
        std::abort(); // a refused ratio the user is not told the reason of
    return 0;
}

// Interactive menu files, and the hot spots they give.
#include "fuzz_input.h"
#include "menus/hot_spots.h"
#include "menus/menu_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MenuFile menu = parseMenuText(QString::fromUtf8(fuzz::bytes(data, size)));
    hitTest(menu.Button, QPointF(size % 700, size % 500));
    neighbour(menu.Button, int(size % 5) - 1, 1, 0);
    return 0;
}

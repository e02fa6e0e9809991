// A skin folder: the first two bytes give the length of its "VSkin.ini",
// the rest is its "base.bmp". The skin is read and judged as the loader
// does before it uses one.
#include "fuzz_input.h"
#include "skin/skin_check.h"

#include <QGuiApplication>

// The outline is a bitmap, which needs the GUI application the player has.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const QByteArray input = fuzz::bytes(data + 2, size - 2);
    const qsizetype split = std::min<qsizetype>(data[0] | data[1] << 8, input.size());
    fuzz::asFile(input.left(split), QStringLiteral("VSkin.ini"));
    fuzz::asFile(input.mid(split), QStringLiteral("base.bmp"));
    const SkinCandidate skin = readSkinCandidate(fuzz::folder(), {});
    skinProblem(skin, QSize(1280, 800));
    return 0;
}

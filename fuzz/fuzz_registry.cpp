// Registry files and ".iwc" presets, imported into a store of their own.
#include "fuzz_input.h"
#include "support/registry/registry_import.h"
#include "support/registry/registry_store.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::bytes(data, size);
    parseRegistryFile(input);
    const QString storePath = fuzz::asFile(QByteArray(), QStringLiteral("store.reg"));
    RegistryStore store(storePath);
    const RegistryImportResult result = importRegistryText(input, store);
    if (!result.ok && result.error.isEmpty())
        std::abort(); // a refused file the user is not told the reason of
    for (const RegistrySkippedLine& line : result.skipped) {
        if (line.reason.isEmpty())
            std::abort(); // a skipped line without its reason
    }
    return 0;
}

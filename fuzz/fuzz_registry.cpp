// Registry files and ".iwc" presets, imported into a store of their own.
#include "fuzz_input.h"
#include "support/registry/registry_import.h"
#include "support/registry/registry_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::bytes(data, size);
    parseRegistryFile(input);
    const QString storePath = fuzz::asFile(QByteArray(), QStringLiteral("store.reg"));
    RegistryStore store(storePath);
    importRegistryText(input, store);
    return 0;
}

// The start-up command line: the one string, and arguments split at NUL.
#include "app/command_line.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    const CommandLineRequest request = parseCommandLine(text);
    (void)request;
    const QStringList args = text.split(QChar(u'\0'));
    const Invocation invocation =
        readInvocation(args, [](const QString& arg) { return arg.size() % 3 == 0; });
    (void)invocation;
    return 0;
}

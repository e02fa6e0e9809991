#include "command_line.h"

namespace {

qsizetype find(const QString& line, QLatin1StringView option) {
    return line.indexOf(option, 0, Qt::CaseInsensitive);
}

} // namespace

CommandLineRequest parseCommandLine(const QString& line) {
    CommandLineRequest request;

    const qsizetype cli = find(line, QLatin1StringView("/cli"));
    if (cli < 0) {
        // A plain double-click or "Open with": the line is a file name, spaces,
        // quotes and all.
        request.movie = line;
        return request;
    }
    request.hasCli = true;
    // Taken verbatim: a space before "/cli" stays part of the name.
    request.movie = line.left(cli);

    const QLatin1StringView streamOption("-stream");
    const qsizetype stream = find(line, streamOption);
    if (stream >= 0) {
        request.hasStream = true;
        // One separator after the option, then a single character: the stream
        // number. Whatever sits there is taken as is.
        const qsizetype digit = stream + streamOption.size() + 1;
        request.audioPin = QStringLiteral("Stream 0");
        if (digit < line.size())
            request.audioPin += line.at(digit);
    }

    const QLatin1StringView subOption("-sub");
    const qsizetype sub = find(line, subOption);
    if (sub >= 0) {
        request.hasSubtitle = true;
        // The file name is the rest of the line, so it may contain spaces;
        // it also means -sub has to come last to be useful.
        const qsizetype start = sub + subOption.size() + 1;
        if (start < line.size())
            request.subtitleFile = line.mid(start);
    }

    request.fullScreen = find(line, QLatin1StringView("-fullscreen")) >= 0;
    return request;
}

QString joinArguments(const QStringList& args) {
    return args.join(u' ');
}

#include "command_line.h"

#include <algorithm>

namespace {

bool boundary(const QString& line, qsizetype at) {
    return at < 0 || at >= line.size() || line.at(at) == QLatin1Char(' ');
}

// Where `word` stands as a word of its own, from `from` on: a space or the
// start of the line before it, a space or the end after it. -1 when nowhere,
// so "~/Clips/movie.avi" holds no "/cli" and "my-sub.avi" no "-sub".
qsizetype findWord(const QString& line, QLatin1StringView word, qsizetype from = 0) {
    for (qsizetype at = line.indexOf(word, from, Qt::CaseInsensitive); at >= 0;
         at = line.indexOf(word, at + 1, Qt::CaseInsensitive)) {
        if (boundary(line, at - 1) && boundary(line, at + word.size()))
            return at;
    }
    return -1;
}

} // namespace

CommandLineRequest parseCommandLine(const QString& line) {
    CommandLineRequest request;

    const qsizetype cli = findWord(line, QLatin1StringView("/cli"));
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
    const qsizetype stream = findWord(line, streamOption, cli);
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
    const qsizetype sub = findWord(line, subOption, cli);
    if (sub >= 0) {
        request.hasSubtitle = true;
        // The file name is the rest of the line, so it may contain spaces;
        // it also means -sub has to come last to be useful.
        const qsizetype start = sub + subOption.size() + 1;
        if (start < line.size())
            request.subtitleFile = line.mid(start);
    }

    request.fullScreen = findWord(line, QLatin1StringView("-fullscreen"), cli) >= 0;
    return request;
}

QString joinArguments(const QStringList& args) {
    return args.join(u' ');
}

Invocation readInvocation(const QStringList& args, bool (*isFile)(const QString&)) {
    Invocation invocation;
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")))
        invocation.kind = Invocation::Help;
    else if (args.size() == 1 && args[0] == QLatin1String("--version"))
        invocation.kind = Invocation::Version;
    if (invocation.kind != Invocation::Play)
        return invocation;
    for (const QString& arg : args) {
        if (arg.startsWith(QLatin1String("--")) && !isFile(arg)) {
            invocation.kind = Invocation::Unknown;
            invocation.problem = QStringLiteral("vantorplay: unknown option \"%1\"; "
                                                "\"vantorplay --help\" lists what it takes.")
                                     .arg(arg);
            return invocation;
        }
    }
    const bool cli = std::any_of(args.begin(), args.end(), [](const QString& arg) {
        return arg.compare(QLatin1String("/cli"), Qt::CaseInsensitive) == 0;
    });
    // Files named one by one, even when some are gone: those there play and
    // the others are named. A path a shell split at its spaces stays whole.
    const QString line = joinArguments(args);
    if (args.size() > 1 && !cli && !isFile(line) && std::any_of(args.begin(), args.end(), isFile))
        invocation.files = args;
    else
        invocation.line = line;
    return invocation;
}

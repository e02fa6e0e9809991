// Loading big subtitle files: 100,000 entries as SubRip, MicroDVD and
// time-coded text, in UTF-8 and in a code page; the median of five loads.
//   vantor_subtitle_bench [ENTRIES]
#include "player/time_text.h"
#include "subtitles/subtitle_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QString srtTime(int ms) {
    return QStringLiteral("%1,%2").arg(formatTime(ms / 1000)).arg(ms % 1000, 3, 10, QChar(u'0'));
}

// Entries two seconds apart, two lines each.
QString bigFile(SubtitleFormat format, int entries) {
    QString text;
    text.reserve(entries * 64);
    for (int i = 0; i < entries; ++i) {
        const int start = i * 2000 + 250, end = start + 1500;
        const QString line1 = QStringLiteral("Entry %1 with a few words").arg(i);
        const QString line2 = QStringLiteral("and a second line, Привет");
        switch (format) {
        case SubtitleFormat::SubRip:
            text += QStringLiteral("%1\n%2 --> %3\n%4\n%5\n\n")
                        .arg(i + 1)
                        .arg(srtTime(start), srtTime(end), line1, line2);
            break;
        case SubtitleFormat::FrameCoded:
            text +=
                QStringLiteral("{%1}{%2}%3|%4\n").arg(start / 40).arg(end / 40).arg(line1, line2);
            break;
        default:
            text += QStringLiteral("{%1}{%2}%3|%4\n")
                        .arg(formatTime(start / 1000), formatTime(end / 1000), line1, line2);
            break;
        }
    }
    return text;
}

double medianLoad(const QString& path, int characterSet, int* rows) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        const SubtitleRead read = readSubtitleFile(path, characterSet, 25, 0);
        times.push_back(clock.nsecsElapsed() / 1e9);
        *rows = read.parse ? read.parse->table.count() : 0;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int entries = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    QTemporaryDir dir;
    const struct {
        const char* name;
        SubtitleFormat format;
        const char* codePage; // null: UTF-8
        int characterSet;
    } cases[] = {{"big.srt", SubtitleFormat::SubRip, nullptr, 0},
                 {"big-1251.srt", SubtitleFormat::SubRip, "windows-1251", 204},
                 {"big.sub", SubtitleFormat::FrameCoded, nullptr, 0},
                 {"big-1251.sub", SubtitleFormat::FrameCoded, "windows-1251", 204},
                 {"big.vst", SubtitleFormat::TimeCoded, nullptr, 0}};
    for (const auto& c : cases) {
        const QString text = bigFile(c.format, entries);
        QFile file(dir.filePath(c.name));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(c.codePage ? QStringEncoder(c.codePage).encode(text) : text.toUtf8());
        file.close();
        int rows = 0;
        const double seconds = medianLoad(file.fileName(), c.characterSet, &rows);
        std::printf("subtitles: %-13s %7d entries %6.1f MiB  load %.3f s\n", c.name, rows,
                    file.size() / 1048576.0, seconds);
    }
    return 0;
}

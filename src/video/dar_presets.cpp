#include "video/dar_presets.h"

#include "support/files/whole_file.h"
#include "video/aspect_ratio.h"

#include <QFile>
#include <QTextStream>

namespace {
constexpr qint64 kMaxFileBytes = 64 * 1024;
constexpr int kMaxLineLength = 256;
} // namespace

int DarPresets::read(const QString& file) {
    list_.clear();
    QFile in(file);
    if (in.size() > kMaxFileBytes || !in.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    QStringList lines;
    int skipped = 0;
    QTextStream text(&in);
    // A line is taken whole or not at all: a hand-edited "16:9", or a line
    // too long to be a ratio, must never reach the layout.
    while (!text.atEnd()) {
        const QString line = text.readLine();
        if (line.trimmed().isEmpty())
            continue;
        if (line.size() > kMaxLineLength || !parseRatio(line))
            ++skipped;
        else
            lines << line;
    }
    list_.setItems(lines);
    return skipped;
}

bool DarPresets::save(const QString& file, QString* why) const {
    QByteArray bytes;
    for (const QString& preset : list_.items())
        bytes += (preset + QStringLiteral("\r\n")).toUtf8();
    const QString failure = saveWholeFile(file, bytes);
    if (why)
        *why = failure;
    return failure.isEmpty();
}

DarPresets::Added DarPresets::add(const QString& text, QString* problem) {
    // The limit is counted exactly: a file may hold more, and such a list
    // still takes more by hand.
    if (list_.count() == kMaxAdded)
        return Added::Full;
    if (text.isEmpty())
        return Added::Empty;
    if (!parseRatio(text, problem))
        return Added::Malformed;
    list_.addItem(text);
    return Added::Yes;
}

void DarPresets::removeSelected() {
    if (list_.listIndex() >= 0)
        list_.removeItem(list_.listIndex());
}

QStringList DarPresets::menuCaptions() const {
    QStringList captions;
    for (int i = 0; i < kMenuItems; ++i)
        captions << (i < list_.count() ? list_.item(i) : QStringLiteral("%1 - Empty").arg(i + 1));
    return captions;
}

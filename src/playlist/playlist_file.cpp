#include "playlist/playlist_file.h"

#include "support/files/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringTokenizer>
#include <QUrl>

namespace {

// A playlist bigger than this is something else.
constexpr qint64 kMaxFileBytes = 16 << 20;

// Lines without their CR LF (or LF alone); a last line without an end
// counts, the empty piece after a final line end does not, and an empty
// file (what an empty list saves as) has no line at all. Lines longer than
// any path are no entries: skipped, and counted in `longLines`.
QStringList lines(const QString& text, int* longLines) {
    QStringList out;
    if (text.isEmpty())
        return out;
    for (QStringView line : QStringTokenizer(text, u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.size() > kMaxPlaylistLine) {
            if (longLines)
                ++*longLines;
            continue;
        }
        out.append(line.toString());
    }
    if (!out.isEmpty() && out.last().isEmpty() && text.endsWith(u'\n'))
        out.removeLast();
    return out;
}

QString decoded(const QByteArray& bytes, PlaylistFormat format) {
    if (const auto marked = QStringConverter::encodingForData(bytes))
        return QStringDecoder(*marked).decode(bytes);
    if (format == PlaylistFormat::M3u8)
        return QString::fromUtf8(bytes);
    // Older lists come from systems writing their own code page: text that
    // is not UTF-8 is read as Latin-1 rather than lost.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// The network schemes GStreamer's sources read; any other "word:" at the
// start of an entry is part of a file name.
bool isStreamAddress(const QUrl& url) {
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"),
                                     QStringLiteral("rtsp"), QStringLiteral("rtsps"),
                                     QStringLiteral("rtmp"), QStringLiteral("mms"),
                                     QStringLiteral("mmsh")};
    return url.isValid() && !url.host().isEmpty() && schemes.contains(url.scheme());
}

} // namespace

PlaylistFormat playlistFormatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("m3u8"))
        return PlaylistFormat::M3u8;
    if (suffix == QLatin1String("m3u"))
        return PlaylistFormat::M3u;
    return PlaylistFormat::Lst;
}

bool isPlaylistFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("lst") || suffix == QLatin1String("m3u") ||
           suffix == QLatin1String("m3u8");
}

QStringList parseLstText(const QString& text, int* longLines) {
    return lines(text, longLines);
}

QStringList parseM3uText(const QString& text, const QString& folder, int* longLines) {
    QStringList entries;
    const QDir base(folder);
    for (const QString& line : lines(text, longLines)) {
        const QString entry = line.trimmed();
        if (entry.isEmpty() || entry.startsWith(u'#'))
            continue;
        const QUrl url(entry);
        if (url.isLocalFile())
            entries.append(url.toLocalFile());
        else if (isStreamAddress(url)) // kept as it is
            entries.append(entry);
        else // a colon alone ("Alien: Covenant.avi") makes no address
            entries.append(QDir::cleanPath(base.absoluteFilePath(entry)));
    }
    return entries;
}

PlaylistRead readPlaylistFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt,
                QStringLiteral("The playlist %1 cannot be read: %2").arg(name, file.errorString())};
    if (file.size() > kMaxFileBytes)
        return {std::nullopt, QStringLiteral("%1 is far too big to be a playlist.").arg(name)};
    const PlaylistFormat format = playlistFormatFor(path);
    const QString text = decoded(file.readAll(), format);
    int longLines = 0;
    QStringList entries = format == PlaylistFormat::Lst
                              ? parseLstText(text, &longLines)
                              : parseM3uText(text, QFileInfo(path).absolutePath(), &longLines);
    if (longLines == 0)
        return {std::move(entries), {}};
    return {std::move(entries),
            QStringLiteral("%1 line(s) of %2 are too long to be playlist entries: skipped.")
                .arg(longLines)
                .arg(name)};
}

QString writePlaylistFile(const QString& path, const QStringList& entries) {
    const bool m3u = playlistFormatFor(path) != PlaylistFormat::Lst;
    QByteArray bytes;
    if (m3u)
        bytes += "#EXTM3U\n";
    for (const QString& entry : entries)
        bytes += entry.toUtf8() + (m3u ? "\n" : "\r\n");
    if (const QString failure = saveWholeFile(path, bytes); !failure.isEmpty())
        return QStringLiteral("The playlist %1 could not be saved: %2.")
            .arg(QFileInfo(path).fileName(), failure);
    return {};
}

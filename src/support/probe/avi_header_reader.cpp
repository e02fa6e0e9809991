#include "support/probe/avi_header_reader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>

namespace {

const QString kCannotOpen = QStringLiteral("The file cannot be opened.");
const QString kEmpty = QStringLiteral("The file is empty.");
const QString kNotAvi = QStringLiteral("The file is not an AVI file.");
const QString kTruncated = QStringLiteral("The file is truncated.");
const QString kDamaged = QStringLiteral("The AVI header is damaged.");
const QString kNoMainHeader = QStringLiteral("The file has no AVI main header.");

// Top-level chunks looked at before giving up on finding the header list;
// it is normally the very first one.
constexpr int kMaxTopLevelChunks = 64;

quint32 le32(const char* bytes) {
    return qFromLittleEndian<quint32>(bytes);
}

bool isFourCc(const char* bytes, const char* fourCc) {
    return std::memcmp(bytes, fourCc, 4) == 0;
}

// Chunks are padded to an even size.
qint64 paddedSize(quint32 size) {
    return qint64(size) + (size & 1);
}

struct Chunk {
    const char* id;
    QByteArrayView body;
};

// Calls `visit` for each chunk in `data`. Returns false when a chunk claims
// more bytes than `data` holds. Fewer than 8 bytes left over are padding.
template <class Visit> bool forEachChunk(QByteArrayView data, Visit&& visit) {
    qint64 pos = 0;
    while (data.size() - pos >= 8) {
        const char* header = data.data() + pos;
        const quint32 size = le32(header + 4);
        if (qint64(size) > data.size() - pos - 8)
            return false;
        visit(Chunk{header, data.sliced(pos + 8, size)});
        pos += 8 + paddedSize(size);
    }
    return true;
}

bool isList(const Chunk& chunk, const char* type) {
    return isFourCc(chunk.id, "LIST") && chunk.body.size() >= 4 &&
           isFourCc(chunk.body.data(), type);
}

// Reads the body of LIST 'hdrl' (after its type) into `headers`.
MediaStatus parseHeaderList(QByteArrayView list, AviHeaders& headers) {
    bool damaged = false;
    bool haveMain = false;
    const bool complete = forEachChunk(list, [&](const Chunk& chunk) {
        if (isFourCc(chunk.id, "avih")) {
            // Everything up to the frame size; writers that stop there exist.
            if (chunk.body.size() < 40) {
                damaged = true;
                return;
            }
            const char* b = chunk.body.data();
            headers.microSecondsPerFrame = le32(b);
            headers.mainTotalFrames = le32(b + 16);
            headers.streams = le32(b + 24);
            headers.width = le32(b + 32);
            headers.height = le32(b + 36);
            haveMain = true;
        } else if (isList(chunk, "strl")) {
            AviStreamHeaders& stream = headers.streamList.emplace_back();
            damaged |= !forEachChunk(chunk.body.sliced(4), [&](const Chunk& inner) {
                if (isFourCc(inner.id, "strh"))
                    stream.header = inner.body.toByteArray();
                else if (isFourCc(inner.id, "strf"))
                    stream.format = inner.body.toByteArray();
                if (!isFourCc(inner.id, "strh") || headers.hasVideoStream)
                    return;
                // Up to and including the length field.
                if (inner.body.size() < 36) {
                    damaged = true;
                    return;
                }
                const char* b = inner.body.data();
                if (!isFourCc(b, "vids"))
                    return;
                headers.hasVideoStream = true;
                headers.videoScale = le32(b + 20);
                headers.videoRate = le32(b + 24);
                headers.videoLength = le32(b + 32);
            });
        } else if (isList(chunk, "odml")) {
            damaged |= !forEachChunk(chunk.body.sliced(4), [&](const Chunk& inner) {
                if (isFourCc(inner.id, "dmlh") && inner.body.size() >= 4)
                    headers.extendedTotalFrames = le32(inner.body.data());
            });
        }
    });
    if (!complete || damaged)
        return MediaStatus::failure(kDamaged);
    if (!haveMain)
        return MediaStatus::failure(kNoMainHeader);
    return MediaStatus::success();
}

} // namespace

quint32 AviHeaders::frameCount() const {
    if (extendedTotalFrames > 0)
        return extendedTotalFrames;
    if (hasVideoStream && videoLength > 0)
        return videoLength;
    return mainTotalFrames;
}

std::optional<double> AviHeaders::durationSeconds() const {
    // The stream's rate is exact (24000/1001); the main header rounds the
    // frame duration to whole microseconds.
    if (hasVideoStream && videoRate > 0 && videoScale > 0)
        return double(frameCount()) * videoScale / videoRate;
    if (microSecondsPerFrame > 0)
        return double(frameCount()) * microSecondsPerFrame / 1e6;
    return std::nullopt;
}

MediaResult<AviHeaders> AviHeaderReader::read(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return MediaStatus::failure(kCannotOpen);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MediaStatus::failure(kCannotOpen);
    return read(file);
}

MediaResult<AviHeaders> AviHeaderReader::read(QIODevice& device) {
    if (!device.isOpen() || !device.isReadable() || device.isSequential())
        return MediaStatus::failure(kCannotOpen);
    const qint64 fileSize = device.size();
    if (fileSize == 0)
        return MediaStatus::failure(kEmpty);

    char riff[12];
    if (!device.seek(0) || device.read(riff, 12) != 12 || !isFourCc(riff, "RIFF") ||
        !isFourCc(riff + 8, "AVI "))
        return MediaStatus::failure(kNotAvi);
    // A missing pad byte at the very end is tolerated.
    const qint64 riffEnd = 8 + qint64(le32(riff + 4));
    if (riffEnd > fileSize + 1)
        return MediaStatus::failure(kTruncated);

    qint64 pos = 12;
    for (int i = 0; i < kMaxTopLevelChunks && riffEnd - pos >= 12; ++i) {
        char header[12];
        if (!device.seek(pos) || device.read(header, 12) != 12)
            return MediaStatus::failure(kTruncated);
        const quint32 size = le32(header + 4);
        if (qint64(size) > riffEnd - pos - 8)
            return MediaStatus::failure(kDamaged);
        if (isFourCc(header, "LIST") && size >= 4) {
            if (isFourCc(header + 8, "movi"))
                break; // the headers always come before the movie data
            if (isFourCc(header + 8, "hdrl")) {
                if (size > kMaxHeaderListBytes)
                    return MediaStatus::failure(kDamaged);
                const QByteArray list = device.read(size - 4);
                if (list.size() != qint64(size) - 4)
                    return MediaStatus::failure(kTruncated);
                AviHeaders headers;
                const MediaStatus parsed = parseHeaderList(list, headers);
                if (!parsed)
                    return parsed;
                return headers;
            }
        }
        pos += 8 + paddedSize(size);
    }
    return MediaStatus::failure(kNoMainHeader);
}

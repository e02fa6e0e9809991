// The frame-rate probe on generated, hand-made and broken files.
#include "support/probe/avi_header_reader.h"
#include "support/probe/mci_probe.h"
#include "test_support.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A chunk with its id, size and even padding; `size` overrides the real one.
QByteArray chunk(const char* id, const QByteArray& body, std::optional<quint32> size = {}) {
    const QByteArray out = QByteArray(id, 4) + le32(size.value_or(body.size())) + body;
    return body.size() % 2 ? out + '\0' : out;
}

QByteArray list(const char* type, const QByteArray& body) {
    return chunk("LIST", QByteArray(type, 4) + body);
}

struct AviFields {
    quint32 microSecondsPerFrame = 40000;
    quint32 totalFrames = 100;
    bool videoStream = true;
    quint32 scale = 1;
    quint32 rate = 25;
    quint32 length = 100;
    quint32 extendedFrames = 0; // 0: no OpenDML header
    int avihBytes = 56;
};

QByteArray mainHeader(const AviFields& s) {
    const QByteArray b = le32(s.microSecondsPerFrame) + QByteArray(12, '\0') + le32(s.totalFrames) +
                         le32(0) + le32(1) + le32(0) + le32(320) + le32(240) + QByteArray(16, '\0');
    return chunk("avih", b.left(s.avihBytes));
}

QByteArray makeAvi(const AviFields& s) {
    QByteArray hdrl = mainHeader(s);
    const QByteArray strh = QByteArray("vidsDIVX", 8) + QByteArray(12, '\0') + le32(s.scale) +
                            le32(s.rate) + le32(0) + le32(s.length) + QByteArray(20, '\0');
    if (s.videoStream)
        hdrl += list("strl", chunk("strh", strh) + chunk("strf", QByteArray(40, '\0')));
    if (s.extendedFrames > 0)
        hdrl += list("odml", chunk("dmlh", le32(s.extendedFrames) + QByteArray(244, '\0')));
    return chunk("RIFF", "AVI " + list("hdrl", hdrl) + list("movi", {}) + chunk("idx1", {}));
}

MediaResult<AviHeaders> readBytes(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return AviHeaderReader::read(buffer);
}

// Open, the three numbers, close, as the player uses the probe.
QString probe(const QString& path) {
    const QString opened = MciOpen(0, "movie1", path, "avivideo");
    const QString numbers = QString("%1 frames, %2 ms, %3 fps")
                                .arg(MciGetFrames("movie1"))
                                .arg(MciGetLengthMs("movie1"))
                                .arg(MciGetFrameRate("movie1"));
    return opened + " | " + numbers + " | " + MciClose("movie1");
}

} // namespace

TEST(MciProbe, ReadsAGeneratedMovie) {
    EXPECT_EQ(probe(testsupport::mediaPath("rate-23976.avi")),
              "Success | 48 frames, 2002 ms, 24 fps | Success");
}

TEST(MciProbe, RefusesFilesThatAreNoWholeAviWithoutHanging) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.avi");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto media = testsupport::mediaPath;
    const std::pair<QString, QString> broken[] = {
        {media("empty.avi"), "The file is empty."},
        {media("not-media.avi"), "The file is not an AVI file."},
        {media("truncated.avi"), "The file is truncated."},
        {dir.filePath("missing.avi"), "The file cannot be opened."},
        {dir.path(), "The file cannot be opened."},
        {fifo, "The file cannot be opened."},
    };
    QElapsedTimer clock;
    clock.start();
    for (const auto& [path, error] : broken)
        EXPECT_EQ(probe(path), error + " | -1 frames, -1 ms, -1 fps | The device is not open.");
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(MciProbe, HandMadeHeadersGiveFramesLengthAndRate) {
    QTemporaryDir dir;
    // clang-format off
    const std::tuple<const char*, AviFields, QString> cases[] = {
        {"25.5 fps", {.scale = 2, .rate = 51, .length = 51}, "51 frames, 2000 ms, 26 fps"},
        {"29.97 fps", {.scale = 1001, .rate = 30000, .length = 300}, "300 frames, 10010 ms, 30 fps"},
        {"main header only", {.totalFrames = 50, .videoStream = false}, "50 frames, 2000 ms, 25 fps"},
        {"OpenDML count", {.extendedFrames = 250}, "250 frames, 10000 ms, 25 fps"},
        {"no frames", {.totalFrames = 0, .length = 0}, "0 frames, 0 ms, -1 fps"},
        {"no frame time", {.microSecondsPerFrame = 0, .rate = 0}, "100 frames, -1 ms, -1 fps"},
        {"4e9 frames", {.totalFrames = 0xFFFFFFFF, .videoStream = false}, "-1 frames, -1 ms, -1 fps"},
    };
    // clang-format on
    // Halves to even: 24.5 is 24, 25.5 is 26.
    EXPECT_EQ(frameRateFromLength(49, 2000), 24);
    EXPECT_EQ(frameRateFromLength(INT32_MAX, 1), -1) << "beyond 32 bits";
    for (const auto& [name, fields, numbers] : cases) {
        const QString path =
            testsupport::writeFile(dir.filePath(QString(name) + ".avi"), makeAvi(fields));
        EXPECT_EQ(probe(path), "Success | " + numbers + " | Success") << name;
    }
}

TEST(AviHeaderReader, RefusesDamagedHeaders) {
    const QByteArray good = makeAvi({});
    ASSERT_TRUE(readBytes(good).ok());
    const QString damaged = "The AVI header is damaged.";
    QByteArray hugeRiff = good;
    qToLittleEndian<quint32>(0xFFFFFFF0, hugeRiff.data() + 4);
    EXPECT_EQ(readBytes(hugeRiff).error(), "The file is truncated.");
    QByteArray hugeList = good;
    qToLittleEndian<quint32>(0xFFFFFFF0, hugeList.data() + 16);
    EXPECT_EQ(readBytes(hugeList).error(), damaged);
    EXPECT_EQ(readBytes(makeAvi({.avihBytes = 20})).error(), damaged);
    const QByteArray strhPastList =
        list("hdrl", mainHeader({}) + list("strl", chunk("strh", {}, 4000)));
    EXPECT_EQ(readBytes(chunk("RIFF", "AVI " + strhPastList)).error(), damaged);
    EXPECT_EQ(readBytes(chunk("RIFF", "AVI " + list("hdrl", list("strl", {})))).error(),
              "The file has no AVI main header.");
    EXPECT_EQ(readBytes(chunk("RIFF", "WAVE" + chunk("fmt ", QByteArray(16, 0)))).error(),
              "The file is not an AVI file.");
}

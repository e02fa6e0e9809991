// The decoder sliders and speaker modes as the registry keeps them.
#include "config/decoder_settings.h"
#include "config/speaker_modes.h"
#include "support/media/decoder_effects.h"
#include "support/registry/registry_import.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <tuple>

using namespace reg;

namespace {

const char* const kScrunch = "Software\\Microsoft\\Scrunch";
const char* const kVideo = "Software\\Microsoft\\Scrunch\\Video";
const char* const kAudio = "Software\\Microsoft\\Scrunch\\WMAudio";
const char* const kDivX4 = "Software\\DivXNetworks\\DivX4Windows";
const char* const kSpeakers = "Software\\OrvaneSoft\\Vantor\\Audio Decoder";

QString shippedData() {
    return QFileInfo(QString::fromUtf8(__FILE__)).absoluteDir().filePath("../data");
}

QByteArray dword(quint32 n) {
    n = qToLittleEndian(n);
    return QByteArray(reinterpret_cast<const char*>(&n), 4);
}

class DecoderSettingsTest : public ::testing::Test {
  protected:
    void put(const char* key, const QString& name, quint32 number) {
        ASSERT_EQ(store.createKey(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
        ASSERT_EQ(store.setValue(HKEY_CURRENT_USER, key, name, REG_DWORD, dword(number)),
                  ERROR_SUCCESS);
    }
    RegistryValue stored(const char* key, const QString& name) {
        RegistryValue v;
        v.type = 0xdead;
        store.queryValue(HKEY_CURRENT_USER, key, name, &v);
        return v;
    }
    void touch(const QString& name) {
        QDir().mkpath(user);
        ASSERT_FALSE(testsupport::writeFile(QDir(user).filePath(name), "x").isEmpty());
    }
    QStringList userFiles() { return QDir(user).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    QString user = dir.filePath("user");
    RegistryStore store{dir.filePath("registry.reg")};
};

} // namespace

TEST(BinaryToWordTest, ReadsTheFirstTwoBytesAsSigned16Bits) {
    EXPECT_EQ(BinaryToWord("F6 FF 00 00 "), -10);
    EXPECT_EQ(BinaryToWord("70 11 01 00 "), 0x1170); // 70000: only 16 bits are read
    EXPECT_EQ(BinaryToWord("2C "), 0x2C);
    EXPECT_EQ(BinaryToWord("Access Denied"), 0);
}

// Each slider: its default, its range, where it is stored and as what.
TEST_F(DecoderSettingsTest, EachSliderHasItsRangeDefaultAndStoredNumber) {
    using S = DecoderSlider;
    const struct {
        DecoderSlider slider;
        int minimum, maximum, initial, position;
        const char *key, *name;
        qint32 number;
    } rows[] = {
        {S::CpuCal, 0, 4, 0, 3, kScrunch, "Current Post Process Mode", 3},
        {S::PostCpu, 100, 3000, 300, 2950, kScrunch, "CPU Clock Speed", 2950},
        {S::Bness, 0, 100, 50, 61, kVideo, "Brightness", 61},
        {S::Contrast, 0, 100, 50, 62, kVideo, "Contrast", 62},
        {S::Saturation, 0, 100, 50, 63, kVideo, "Saturation", 63},
        {S::Hue, 0, 100, 50, 64, kVideo, "Hue", 64},
        // clang-format off
        {S::SlideWma0, -50, 0, 0, -1, kAudio, "Band 0", 1}, {S::SlideWma1, -50, 0, 0, -2, kAudio, "Band 1", 2},
        {S::SlideWma2, -50, 0, 0, -3, kAudio, "Band 2", 3}, {S::SlideWma3, -50, 0, 0, -4, kAudio, "Band 3", 4},
        {S::SlideWma4, -50, 0, 0, -15, kAudio, "Band 4", 15}, {S::SlideWma5, -50, 0, 0, -6, kAudio, "Band 5", 6},
        {S::SlideWma6, -50, 0, 0, -7, kAudio, "Band 6", 7}, {S::SlideWma7, -50, 0, 0, -8, kAudio, "Band 7", 8},
        {S::SlideWma8, -50, 0, 0, -9, kAudio, "Band 8", 9}, {S::SlideWma9, -50, 0, 0, -50, kAudio, "Band 9", 50},
        // clang-format on
        {S::PPLevel, 0, 6, 1, 6, kDivX4, "Postprocessing", 60},
        {S::Bness4, 0, 127, 0, 120, kDivX4, "Brightness", 120},
        {S::Contrast4, 0, 127, 0, 121, kDivX4, "Contrast", 121},
        {S::Saturation4, 0, 127, 0, 127, kDivX4, "Saturation", 127},
    };
    importRegistryFile(QDir(shippedData()).filePath("Decoder/Data.iwc"), store);
    DecoderSliderValues written;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(written.value(row.slider), row.initial);
        written.setValue(row.slider, row.minimum - 1);
        EXPECT_EQ(written.value(row.slider), row.minimum);
        written.setValue(row.slider, row.maximum + 1);
        EXPECT_EQ(written.value(row.slider), row.maximum);
        written.setValue(row.slider, row.position);
    }
    EXPECT_EQ(written.value(equaliserSlider(4)), -15);
    EXPECT_TRUE(WriteReg(written, store).authorized);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(stored(row.key, row.name).type, REG_DWORD);
        EXPECT_EQ(stored(row.key, row.name).data, dword(row.number));
    }
    DecoderSliderValues read;
    EXPECT_TRUE(AnalyseReg(read, store).authorized);
    EXPECT_EQ(read, written);
}

// Setting and resetting tell whether anything moved: Ok writes only then.
TEST(DecoderSliderValuesTest, ResetsReportChangesAndTouchOnlyTheirPage) {
    DecoderSliderValues v;
    EXPECT_TRUE(v.setValue(DecoderSlider::PostCpu, 0));
    EXPECT_FALSE(v.setValue(DecoderSlider::PostCpu, 50)); // still 100
    EXPECT_TRUE(resetEqualiser(v));
    EXPECT_EQ(v.value(DecoderSlider::SlideWma9), -15);
    EXPECT_FALSE(resetEqualiser(v));
    v.setValue(DecoderSlider::Hue, 7);
    v.setValue(DecoderSlider::Contrast4, 99);
    EXPECT_TRUE(resetFirstVideoDecoder(v));
    EXPECT_EQ(v.value(DecoderSlider::Hue), 50);
    EXPECT_EQ(v.value(DecoderSlider::Contrast4), 99);
    EXPECT_TRUE(resetSecondVideoDecoder(v));
    EXPECT_EQ(v.value(DecoderSlider::Contrast4), 0);
    EXPECT_FALSE(resetSecondVideoDecoder(v));
}

TEST_F(DecoderSettingsTest, EmptyRegistryMakesTheKeysOthersValuesAreRoundedAndHeldToRange) {
    DecoderSliderValues v;
    v.setValue(DecoderSlider::Hue, 70);
    v.setValue(DecoderSlider::Bness4, 9);
    EXPECT_FALSE(AnalyseReg(v, store).authorized);
    for (const char* key : {kScrunch, kVideo, kAudio})
        EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, key), ERROR_SUCCESS) << key;
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, kDivX4), ERROR_FILE_NOT_FOUND);
    // Values no decoder wrote keep the sliders: a brightness read as 0 would blacken pictures.
    EXPECT_EQ(std::pair(v.value(DecoderSlider::Hue), v.value(DecoderSlider::Bness4)),
              std::pair(70, 9));

    // WriteReg makes no keys: the first decoder is written, the second not.
    v.setValue(DecoderSlider::Hue, 33);
    EXPECT_FALSE(WriteReg(v, store).authorized);
    EXPECT_EQ(stored(kVideo, "Hue").data, dword(33));
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, kDivX4), ERROR_FILE_NOT_FOUND);

    // Values from other programs are rounded and held to range.
    put(kDivX4, "Postprocessing", 35);
    put(kScrunch, "CPU Clock Speed", 40000); // reads negative
    put(kScrunch, "Current Post Process Mode", 10);
    put(kAudio, "Band 2", quint32(-10)); // a boost beyond the top
    put(kVideo, "Contrast", 101);
    EXPECT_TRUE(AnalyseReg(v, store).authorized);
    EXPECT_EQ(std::tuple(v.value(DecoderSlider::PPLevel), v.value(DecoderSlider::PostCpu),
                         v.value(DecoderSlider::CpuCal), v.value(equaliserSlider(2)),
                         v.value(DecoderSlider::Contrast)),
              std::tuple(4, 100, 4, 0, 100));

    ASSERT_TRUE(WriteReg(v, store).authorized);
    EXPECT_EQ(stored(kDivX4, "Postprocessing").data, dword(40));
    EXPECT_EQ(stored(kVideo, "Contrast").data, dword(100));
    put(kDivX4, "Postprocessing", 25);
    AnalyseReg(v, store);
    EXPECT_EQ(v.value(DecoderSlider::PPLevel), 2);
}

// Each row imports exactly its own preset (in an order no mode inherits from) and marker.
TEST_F(DecoderSettingsTest, EverySpeakerRowImportsItsPresetAndLeavesItsMarker) {
    ASSERT_EQ(speakerModeTexts().size(), 7);
    EXPECT_EQ(speakerModeTexts()[5], "6 Speakers Mode (5.1)");
    put(kVideo, "Hue", 0x21); // the user's own, which no preset may touch
    for (int i = 0; i < 7; ++i)
        touch(QStringLiteral("Ac3reg%1.cfg").arg(i));
    touch("Ac3reg7.cfg"); // not a row: not ours to delete
    const int channels[] = {1, 2, 2, 2, 4, 6, 0};
    for (int row : {5, 6, 0, 1, 2, 3, 4, 5, 6, 0, 5}) {
        SCOPED_TRACE(row);
        const SpeakerModeChange change = chooseSpeakerMode(row, shippedData(), user, store);
        ASSERT_TRUE(change.import.ok) << change.import.error.toStdString();
        EXPECT_TRUE(change.import.skipped.isEmpty());
        const DecoderEffects e = readDecoderEffects(store);
        EXPECT_EQ(std::tuple(e.speakerMode, e.channels, e.surroundMatrix, e.spatial, e.passThrough,
                             e.hue),
                  std::tuple(row, channels[row], row == 2, row == 3, row == 6, 0x21));
        QStringList values;
        store.valueNames(HKEY_CURRENT_USER, kSpeakers, &values);
        EXPECT_EQ(values.size(), 5);
        EXPECT_EQ(userFiles(),
                  (QStringList{QStringLiteral("Ac3reg%1.cfg").arg(row), "Ac3reg7.cfg"}));
    }
    EXPECT_EQ(testsupport::readFile(QDir(user).filePath("Ac3reg5.cfg")), "This file is a file !\n");

    // A row outside the list imports nothing, no marker; a missing preset records the choice.
    const QByteArray before = store.exportText();
    for (int row : {-1, 7})
        chooseSpeakerMode(row, shippedData(), user, store);
    EXPECT_EQ(userFiles(), QStringList{"Ac3reg7.cfg"});
    chooseSpeakerMode(2, dir.filePath("nowhere"), user, store);
    EXPECT_EQ(userFiles(), (QStringList{"Ac3reg2.cfg", "Ac3reg7.cfg"}));
    EXPECT_EQ(store.exportText(), before);
}

TEST_F(DecoderSettingsTest, FirstStartImportsTheDefaultsOnceAndKeepsItsMarkerOnFailure) {
    ASSERT_TRUE(prepareFirstStart(user));
    runFirstStartImport(dir.filePath("nowhere"), user, store);
    EXPECT_TRUE(firstStartPending(user));
    EXPECT_FALSE(prepareFirstStart(user)); // the folder exists: not a first start

    const FirstStartImport first = runFirstStartImport(shippedData(), user, store);
    ASSERT_TRUE(first.import.ok) << first.import.error.toStdString();
    EXPECT_FALSE(firstStartPending(user));
    DecoderSliderValues v;
    v.setValue(DecoderSlider::Hue, 3);
    EXPECT_TRUE(AnalyseReg(v, store).authorized);
    EXPECT_EQ(v, DecoderSliderValues());
    EXPECT_EQ(readDecoderEffects(store).speakerMode, 2); // "Dolby Surround"

    // The user's own change survives the next start.
    v.setValue(DecoderSlider::Bness, 80);
    ASSERT_TRUE(WriteReg(v, store).authorized);
    runFirstStartImport(shippedData(), user, store);
    DecoderSliderValues again;
    AnalyseReg(again, store);
    EXPECT_EQ(again.value(DecoderSlider::Bness), 80);
}

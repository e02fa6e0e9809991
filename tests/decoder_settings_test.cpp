#include "config/decoder_settings.h"
#include "support/media/decoder_registry_keys.h"
#include "support/registry/registry_import.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace reg;

namespace {

QString shippedData() {
    return QFileInfo(QString::fromUtf8(__FILE__)).absoluteDir().filePath("../data");
}

QByteArray dword(quint32 n) {
    QByteArray d(4, '\0');
    for (int i = 0; i < 4; ++i)
        d[i] = char((n >> (8 * i)) & 0xff);
    return d;
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

    QTemporaryDir dir;
    RegistryStore store{dir.filePath("registry.reg")};
};

TEST(BinaryToWordTest, ReadsTheFirstTwoBytesAsSigned16Bits) {
    EXPECT_EQ(BinaryToWord("F6 FF 00 00 "), -10);
    EXPECT_EQ(BinaryToWord("00 80 00 00 "), -32768); // above 32767 comes back negative
    EXPECT_EQ(BinaryToWord("70 11 01 00 "), 0x1170); // 70000: only 16 bits are read
    EXPECT_EQ(BinaryToWord("2C "), 0x2C);            // a one-byte value
    EXPECT_EQ(BinaryToWord("Access Denied"), 0);
}

// Every position survives the trip to the stored number and back.
TEST(DecoderSliderTableTest, StoredFormRoundTripsOverEveryRange) {
    for (const DecoderSliderInfo& info : decoderSliderTable()) {
        SCOPED_TRACE(info.control);
        EXPECT_GE(info.designDefault, info.minimum);
        EXPECT_LE(info.designDefault, info.maximum);
        for (int v = info.minimum; v <= info.maximum; ++v)
            ASSERT_EQ(sliderValueFromStored(info, storedValue(info, v)), v);
    }
}

// Setting and resetting tell whether anything moved: Ok writes only then.
TEST(DecoderSliderValuesTest, HoldsToRangeAndResetsReportChanges) {
    DecoderSliderValues v;
    EXPECT_TRUE(v.setValue(DecoderSlider::PostCpu, 0));
    EXPECT_EQ(v.value(DecoderSlider::PostCpu), 100);
    EXPECT_FALSE(v.setValue(DecoderSlider::PostCpu, 50)); // still 100
    EXPECT_TRUE(resetEqualiser(v));
    EXPECT_FALSE(resetEqualiser(v));
    v.setValue(DecoderSlider::Hue, 7);
    v.setValue(DecoderSlider::Contrast4, 99);
    EXPECT_TRUE(resetFirstVideoDecoder(v));
    EXPECT_EQ(v.value(DecoderSlider::Hue), 50);
    EXPECT_EQ(v.value(DecoderSlider::Contrast4), 99); // the other page is left alone
    EXPECT_TRUE(resetSecondVideoDecoder(v));
    EXPECT_EQ(v.value(DecoderSlider::Contrast4), 0);
    EXPECT_FALSE(resetSecondVideoDecoder(v));
}

TEST_F(DecoderSettingsTest, EmptyRegistryMakesTheKeysAndReportsTheMissingDecoder) {
    DecoderSliderValues v;
    v.setValue(DecoderSlider::Hue, 70);
    v.setValue(DecoderSlider::Bness4, 9);
    EXPECT_FALSE(AnalyseReg(v, store).authorized);
    for (const char* key :
         {decoderkeys::kScrunch, decoderkeys::kScrunchVideo, decoderkeys::kScrunchAudio})
        EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, key), ERROR_SUCCESS) << key;
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, decoderkeys::kDivX4), ERROR_FILE_NOT_FOUND);
    // Values no decoder wrote keep the sliders where they were: read as 0,
    // a brightness of 0 would be written back and turn every picture black.
    EXPECT_EQ(v.value(DecoderSlider::Hue), 70);
    EXPECT_EQ(v.value(DecoderSlider::Bness4), 9); // never reached

    // WriteReg makes no keys: the first decoder is written, the second not.
    v.setValue(DecoderSlider::Hue, 33);
    EXPECT_FALSE(WriteReg(v, store).authorized);
    EXPECT_EQ(stored(decoderkeys::kScrunchVideo, "Hue").data, dword(33));
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, decoderkeys::kDivX4), ERROR_FILE_NOT_FOUND);
}

TEST_F(DecoderSettingsTest, WriteThenReadKeepsEveryPositionAsLittleEndianNumbers) {
    importRegistryFile(QDir(shippedData()).filePath("Decoder/Data.iwc"), store);
    DecoderSliderValues written;
    int n = 0;
    for (const DecoderSliderInfo& info : decoderSliderTable()) // distinct, not defaults
        written.setValue(info.id, info.minimum + (++n * 7) % (info.maximum - info.minimum + 1));
    written.setValue(DecoderSlider::PostCpu, 3000);
    written.setValue(equaliserSlider(4), -15);
    written.setValue(DecoderSlider::PPLevel, 6);
    EXPECT_TRUE(WriteReg(written, store).authorized);

    const RegistryValue cpu = stored(decoderkeys::kScrunch, "CPU Clock Speed");
    EXPECT_EQ(cpu.type, REG_DWORD);
    EXPECT_EQ(cpu.data, QByteArray("\xB8\x0B\0\0", 4));
    EXPECT_EQ(stored(decoderkeys::kScrunchAudio, "Band 4").data, dword(15));
    EXPECT_EQ(stored(decoderkeys::kDivX4, "Postprocessing").data, dword(60));

    DecoderSliderValues read;
    EXPECT_TRUE(AnalyseReg(read, store).authorized);
    EXPECT_EQ(read, written);

    // Writing what is already there leaves the file alone (each save
    // renames a new file into place).
    const auto inode = [&] {
        struct stat info {};
        ::stat(QFile::encodeName(store.filePath()).constData(), &info);
        return info.st_ino;
    };
    const auto before = inode();
    EXPECT_TRUE(WriteReg(read, store).authorized);
    EXPECT_EQ(inode(), before);
}

TEST_F(DecoderSettingsTest, ValuesFromOtherProgramsAreRoundedAndHeldToRange) {
    put(decoderkeys::kDivX4, "Postprocessing", 35);
    put(decoderkeys::kScrunch, "CPU Clock Speed", 40000); // reads negative
    put(decoderkeys::kScrunch, "Current Post Process Mode", 10);
    put(decoderkeys::kScrunchAudio, "Band 2", quint32(-10)); // a boost beyond the top
    put(decoderkeys::kScrunchVideo, "Contrast", 101);
    DecoderSliderValues v;
    EXPECT_TRUE(AnalyseReg(v, store).authorized);
    EXPECT_EQ(v.value(DecoderSlider::PPLevel), 4);
    EXPECT_EQ(v.value(DecoderSlider::PostCpu), 100);
    EXPECT_EQ(v.value(DecoderSlider::CpuCal), 4);
    EXPECT_EQ(v.value(equaliserSlider(2)), 0);
    EXPECT_EQ(v.value(DecoderSlider::Contrast), 100);

    ASSERT_TRUE(WriteReg(v, store).authorized);
    EXPECT_EQ(stored(decoderkeys::kDivX4, "Postprocessing").data, dword(40));
    EXPECT_EQ(stored(decoderkeys::kScrunchVideo, "Contrast").data, dword(100));

    put(decoderkeys::kDivX4, "Postprocessing", 25);
    AnalyseReg(v, store);
    EXPECT_EQ(v.value(DecoderSlider::PPLevel), 2);
}

TEST_F(DecoderSettingsTest, UnreadableRegistryIsDeniedAndChangesNothing) {
    const QString folder = dir.filePath("blocked.reg");
    QDir().mkpath(folder + "/inside");
    RegistryStore blocked(folder);
    DecoderSliderValues v;
    v.setValue(DecoderSlider::Hue, 12);
    const DecoderSliderValues before = v;
    EXPECT_FALSE(AnalyseReg(v, blocked).authorized);
    EXPECT_EQ(v, before);
    EXPECT_FALSE(WriteReg(v, blocked).authorized);
    EXPECT_TRUE(QFileInfo(folder + "/inside").isDir());
}

} // namespace

#include "config/decoder_settings.h"
#include "config/speaker_modes.h"
#include "support/media/decoder_effects.h"
#include "support/media/decoder_registry_keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reg;

namespace {

QString shippedData() {
    return QFileInfo(QString::fromUtf8(__FILE__)).absoluteDir().filePath("../data");
}

class SpeakerModesTest : public ::testing::Test {
  protected:
    void touch(const QString& name, const QByteArray& content = "x") {
        QDir().mkpath(user);
        QFile f(QDir(user).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QStringList userFiles() { return QDir(user).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    QString user = dir.filePath("user");
    RegistryStore store{dir.filePath("registry.reg")};
};

TEST_F(SpeakerModesTest, EveryRowImportsExactlyItsOwnPreset) {
    ASSERT_EQ(speakerModeTexts().size(), 7);
    EXPECT_EQ(speakerModeTexts()[5], "6 Speakers Mode (5.1)");
    // Something of the user's that no preset may touch.
    store.createKey(HKEY_CURRENT_USER, decoderkeys::kScrunchVideo);
    store.setValue(HKEY_CURRENT_USER, decoderkeys::kScrunchVideo, "Hue", REG_DWORD,
                   QByteArray("\x21\0\0\0", 4));
    const int channels[] = {1, 2, 2, 2, 4, 6, 0};
    // From the widest mode down and back, so no mode can inherit a value.
    for (int row : {5, 6, 0, 1, 2, 3, 4, 5, 6, 0}) {
        SCOPED_TRACE(row);
        const SpeakerModeChange change = chooseSpeakerMode(row, shippedData(), user, store);
        ASSERT_TRUE(change.presetFound);
        ASSERT_TRUE(change.import.ok) << change.import.error.toStdString();
        EXPECT_TRUE(change.import.skipped.isEmpty());
        EXPECT_EQ(change.import.valuesSet, 5);
        const DecoderEffects e = readDecoderEffects(store);
        EXPECT_EQ(e.speakerMode, row);
        EXPECT_EQ(e.channels, channels[row]);
        EXPECT_EQ(e.surroundMatrix, row == 2);
        EXPECT_EQ(e.spatial, row == 3);
        EXPECT_EQ(e.passThrough, row == 6);
        EXPECT_EQ(e.hue, 0x21);
        QStringList values;
        store.valueNames(HKEY_CURRENT_USER, decoderkeys::kSpeakers, &values);
        EXPECT_EQ(values.size(), 5);
    }
}

TEST_F(SpeakerModesTest, OnlyTheChosenRowsMarkerIsLeft) {
    for (int i = 0; i < 7; ++i)
        touch(speakerMarkerName(i));
    touch("Ac3reg7.cfg"); // not a row: not ours to delete
    touch("other.txt");
    const SpeakerModeChange change = chooseSpeakerMode(5, shippedData(), user, store);
    EXPECT_TRUE(change.markerWritten);
    EXPECT_TRUE(change.markersNotRemoved.isEmpty());
    EXPECT_EQ(userFiles(), QStringList({"Ac3reg5.cfg", "Ac3reg7.cfg", "other.txt"}));
    QFile marker(QDir(user).filePath("Ac3reg5.cfg"));
    ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
    EXPECT_EQ(marker.readAll().trimmed(), "This file is a file !");

    // A row outside the list imports nothing and leaves no marker.
    const QByteArray before = store.exportText();
    for (int row : {-1, 7}) {
        const SpeakerModeChange none = chooseSpeakerMode(row, shippedData(), user, store);
        EXPECT_FALSE(none.presetFound);
        EXPECT_FALSE(none.markerWritten);
    }
    EXPECT_EQ(userFiles(), QStringList({"Ac3reg7.cfg", "other.txt"}));
    EXPECT_EQ(store.exportText(), before);
}

TEST_F(SpeakerModesTest, MissingPresetStillRecordsTheChoice) {
    const QByteArray before = store.exportText();
    const SpeakerModeChange change = chooseSpeakerMode(2, dir.filePath("nowhere"), user, store);
    EXPECT_FALSE(change.presetFound);
    EXPECT_FALSE(change.import.ok);
    EXPECT_FALSE(change.import.error.isEmpty());
    EXPECT_TRUE(change.markerWritten);
    EXPECT_EQ(userFiles(), QStringList({"Ac3reg2.cfg"}));
    EXPECT_EQ(store.exportText(), before);
}

TEST_F(SpeakerModesTest, FirstStartImportsTheDefaultsOnce) {
    EXPECT_TRUE(prepareFirstStart(user));
    EXPECT_TRUE(firstStartPending(user));
    EXPECT_FALSE(prepareFirstStart(user)); // the folder exists: not a first start

    const FirstStartImport first = runFirstStartImport(shippedData(), user, store);
    EXPECT_TRUE(first.pending);
    ASSERT_TRUE(first.import.ok) << first.import.error.toStdString();
    EXPECT_TRUE(first.markerRemoved);
    EXPECT_FALSE(firstStartPending(user));
    DecoderSliderValues v;
    v.setValue(DecoderSlider::Hue, 3);
    EXPECT_TRUE(AnalyseReg(v, store).authorized);
    EXPECT_EQ(v, DecoderSliderValues());
    EXPECT_EQ(readDecoderEffects(store).speakerMode, 2); // "Dolby Surround", the default mode

    // The user's own change survives the next start.
    v.setValue(DecoderSlider::Bness, 80);
    ASSERT_TRUE(WriteReg(v, store).authorized);
    EXPECT_FALSE(prepareFirstStart(user));
    EXPECT_FALSE(runFirstStartImport(shippedData(), user, store).pending);
    DecoderSliderValues again;
    AnalyseReg(again, store);
    EXPECT_EQ(again.value(DecoderSlider::Bness), 80);
}

TEST_F(SpeakerModesTest, FailedFirstStartImportKeepsTheMarker) {
    ASSERT_TRUE(prepareFirstStart(user));
    const FirstStartImport missing = runFirstStartImport(dir.filePath("nowhere"), user, store);
    EXPECT_TRUE(missing.pending);
    EXPECT_FALSE(missing.import.ok);
    EXPECT_FALSE(missing.markerRemoved);
    EXPECT_TRUE(firstStartPending(user));
    // The dialog's Ok drops it all the same.
    EXPECT_TRUE(removeFirstStartMarker(user));
    EXPECT_FALSE(firstStartPending(user));
    EXPECT_TRUE(removeFirstStartMarker(user));
}

} // namespace

#include "support/settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    QString text(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    void put(const QString& path, const QByteArray& bytes) const {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // A second store on a copy under a new name surely reads the disk.
    QString copyOf(const QString& path) {
        const QString copy = dir.filePath(QStringLiteral("copy%1.ini").arg(++copies));
        EXPECT_TRUE(QFile::copy(path, copy));
        return copy;
    }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("sub/Vantor.ini")); // folder made on first write
    int copies = 0;
};

TEST_F(SettingsStoreTest, KeysIgnoreCaseKeepTheirFirstSpellingAndAreWrittenAtOnce) {
    SettingsStore store(file);
    EXPECT_EQ(store.read("SubYPos", "dflt"), "dflt");
    EXPECT_TRUE(store.read("SubYPos").isEmpty());
    EXPECT_FALSE(QFile::exists(file)); // reading alone writes nothing

    store.write("SubYpos", "1");
    store.write("SUBYPOS", "2");
    EXPECT_EQ(store.read("subYPOS"), "2");
    EXPECT_EQ(store.read("SubY", "dflt"), "dflt");
    EXPECT_EQ(text(file).count("subypos", Qt::CaseInsensitive), 1);
    EXPECT_TRUE(text(file).contains("SubYpos=2"));

    store.write("", "x"); // no name, no entry
    EXPECT_EQ(store.read("", "dflt"), "dflt");
    // Every write is on disk at once.
    EXPECT_TRUE(text(file).startsWith("[Vantor]\n"));
    EXPECT_EQ(SettingsStore(copyOf(file)).read("subypos"), "2");
}

// Awkward values are FilesPassBetweenThisStoreAndQSettings' part; here the
// keys, and values QSettings would take for its own markers.
TEST_F(SettingsStoreTest, AwkwardKeysRoundTrip) {
    const QList<QPair<QString, QString>> entries = {
        {"Window", "10, 20,300"},
        {"Blob", "@Variant(AAAACgAAAAA=)"},
        {"At", "@@"},
        {"Recent Files/File1", "r"},
        {"Dir\\Name", "b"},
        {QString::fromUtf8("Ünïcode Kéy"), "u"},
    };
    SettingsStore store(file);
    for (const auto& [key, value] : entries)
        store.write(key, value);
    SettingsStore fromDisk(copyOf(file));
    for (const auto& [key, value] : entries) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(store.read(key.toUpper(), "missing"), value);
        EXPECT_EQ(fromDisk.read(key.toLower(), "missing"), value);
    }
    // Slashes nest in QSettings: the parent is no entry, and extra slashes
    // name the same entry.
    EXPECT_EQ(fromDisk.read("Recent Files", "missing"), "missing");
    EXPECT_EQ(fromDisk.read("/recent files//file1/"), "r");
}

// The file stays one QSettings reads and writes: values pass between the
// two unchanged either way.
TEST_F(SettingsStoreTest, FilesPassBetweenThisStoreAndQSettings) {
    const QStringList values = {"plain",
                                " lead",
                                "trail ",
                                "a,b",
                                "semi;colon",
                                "quo\"te",
                                "back\\slash\\",
                                "new\nline\r\tx\x01a\x7f",
                                "@at",
                                "=eq",
                                "#hash",
                                "",
                                "C:\\My Films\\a.avi",
                                "[br]",
                                "  ",
                                QString::fromUtf8("héllo 日本 🎬"),
                                "\"q\" , ;x"};
    const QString ours = dir.filePath("ours.ini"), theirs = dir.filePath("theirs.ini");
    {
        SettingsStore store(ours);
        QSettings qt(theirs, QSettings::IniFormat);
        for (int i = 0; i < values.size(); ++i) {
            store.write(QStringLiteral("Key %1").arg(i), values[i]);
            qt.setValue(QStringLiteral("Vantor/Key %1").arg(i), values[i]);
        }
    }
    QSettings qtReadsOurs(ours, QSettings::IniFormat);
    SettingsStore weReadTheirs(theirs);
    SettingsStore weReadOurs(copyOf(ours));
    for (int i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(values[i].toStdString());
        EXPECT_EQ(qtReadsOurs.value(QStringLiteral("Vantor/Key %1").arg(i)).toString(), values[i]);
        EXPECT_EQ(weReadTheirs.read(QStringLiteral("key %1").arg(i)), values[i]);
        EXPECT_EQ(weReadOurs.read(QStringLiteral("KEY %1").arg(i)), values[i]);
    }
}

TEST_F(SettingsStoreTest, HandEditedFileIsReadAndTidiedOnWrite) {
    QDir().mkpath(QFileInfo(file).path());
    put(file, "[Other]\nKeep=me\n[Vantor]\nVolume=40\nVOLUME=41\nWindow=10,20\n");
    SettingsStore store(file);
    EXPECT_EQ(store.read("window"), "10,20"); // unquoted commas: QSettings reads a list
    store.write("volume", "50");
    EXPECT_EQ(store.read("Volume"), "50");
    EXPECT_EQ(text(file).count("volume=", Qt::CaseInsensitive), 1);
    EXPECT_TRUE(text(file).contains("[Other]\nKeep=me\n"));
}

TEST_F(SettingsStoreTest, BrokenFilesGiveDefaultsAndRecover) {
    const QList<QByteArray> garbage = {
        QByteArray("\x00\xff\xfe\x01garbage\x00", 11),
        "[Vantor\nSize=\"unterminated\n[[[\n=\n%ZZ=@Variant(\x01\n",
        QByteArray(4096, '\xa7'),
    };
    for (int i = 0; i < garbage.size(); ++i) {
        SCOPED_TRACE(i);
        const QString path = dir.filePath(QStringLiteral("garbage%1.ini").arg(i));
        put(path, garbage[i]);
        SettingsStore store(path);
        EXPECT_EQ(store.read("Skin", "dflt"), "dflt");
        store.write("Skin", "Blue");
        EXPECT_EQ(SettingsStore(copyOf(path)).read("skin"), "Blue");
    }
    // Beneath a regular file, and a directory: silent, defaults only.
    put(dir.filePath("plain"), "x");
    for (const QString& path : {dir.filePath("plain/Vantor.ini"), dir.path()}) {
        SettingsStore store(path);
        EXPECT_EQ(store.read("Skin", "dflt"), "dflt");
        store.write("Skin", "Blue");
    }
    EXPECT_EQ(text(dir.filePath("plain")), "x");
}

TEST(SettingsStoreLocation, UserStoreIsInTheConfigFolder) {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME"); // private, set by the test main
    ASSERT_FALSE(config.isEmpty());
    EXPECT_EQ(SettingsStore::defaultFilePath(), QDir(config).filePath("OrvaneSoft/Vantor.ini"));
    EXPECT_EQ(SettingsStore().filePath(), SettingsStore::defaultFilePath());
}

} // namespace

#include "child_process.h"
#include "config/preferences.h"
#include "support/settings/settings_store.h"
#include "test_support.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/resource.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    QString text(const QString& path) const { return QString::fromUtf8(readFile(path)); }
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

// The dialog's preferences in a store of their own.
class PreferencesTest : public SettingsStoreTest {
  protected:
    QString path = dir.filePath(QStringLiteral("Vantor.ini"));
    SettingsStore store{path};
};
const QString kProgram = QStringLiteral("/opt/vantor");

TEST_F(SettingsStoreTest, KeysIgnoreCaseKeepTheirFirstSpellingAndAreWrittenAtOnceIfChanged) {
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

    // Every write is on disk at once.
    EXPECT_TRUE(text(file).startsWith("[Vantor]\n"));

    // Saving what the file already says (the program's path at every start) writes nothing.
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    QFile touched(file);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite) &&
                touched.setFileTime(old, QFileDevice::FileModificationTime));
    touched.close();
    store.write("subypos", "2");
    EXPECT_EQ(QFileInfo(file).lastModified(), old);
    // Nor is it held back, to undo another player's later save.
    SettingsStore(file).write("SubYpos", "5");
    EXPECT_EQ(store.read("SubYpos"), "5");
    store.write("SubYpos", "3");
    EXPECT_NE(QFileInfo(file).lastModified(), old);
}

// Values pass unchanged between this store and QSettings, keys in any case.
TEST_F(SettingsStoreTest, FilesPassBetweenThisStoreAndQSettings) {
    // clang-format off
    const QStringList values = {"plain", " lead", "trail ", "a,b", "10, 20,300", "semi;colon",
        "quo\"te", "back\\slash\\", "new\nline\r\tx\x01a\x7f", "@at", "@@",
        "@Variant(AAAACgAAAAA=)", "=eq", "#hash", "", "C:\\My Films\\a.avi", "[br]", "  ",
        QString::fromUtf8("héllo 日本 🎬"), "\"q\" , ;x"};
    // clang-format on
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
    SettingsStore weReadTheirs(theirs), weReadOurs(copyOf(ours));
    for (int i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(values[i].toStdString());
        EXPECT_EQ(qtReadsOurs.value(QStringLiteral("Vantor/Key %1").arg(i)).toString(), values[i]);
        EXPECT_EQ(weReadTheirs.read(QStringLiteral("key %1").arg(i)), values[i]);
        EXPECT_EQ(weReadOurs.read(QStringLiteral("KEY %1").arg(i)), values[i]);
    }
}

TEST_F(SettingsStoreTest, HandEditedFilesAreReadAndTidiedBrokenOnesRecover) {
    QDir().mkpath(QFileInfo(file).path());
    writeFile(file, "[Other]\nKeep=me\n[Vantor]\nVolume=40\nVOLUME=41\nWindow=10,20\n");
    SettingsStore store(file);
    EXPECT_EQ(store.read("window"), "10,20"); // unquoted commas: QSettings reads a list
    store.write("volume", "50");
    EXPECT_EQ(store.read("Volume"), "50");
    EXPECT_EQ(text(file).count("volume=", Qt::CaseInsensitive), 1);
    EXPECT_TRUE(text(file).contains("[Other]\nKeep=me\n"));

    // Broken files give defaults and recover.
    const QList<QByteArray> garbage = {
        QByteArray("\x00\xff\xfe\x01garbage\x00", 11),
        "[Vantor\nSize=\"unterminated\n[[[\n=\n%ZZ=@Variant(\x01\n",
        QByteArray(4096, '\xa7'),
    };
    for (int i = 0; i < garbage.size(); ++i) {
        SCOPED_TRACE(i);
        const QString path = dir.filePath(QStringLiteral("garbage%1.ini").arg(i));
        writeFile(path, garbage[i]);
        SettingsStore store(path);
        EXPECT_EQ(store.read("Skin", "dflt"), "dflt");
        store.write("Skin", "Blue");
        EXPECT_EQ(SettingsStore(copyOf(path)).read("skin"), "Blue");
    }
}

// Old file whole, no temporary, told once; the changes go into the first save that works.
TEST_F(SettingsStoreTest, AFailedSaveLeavesTheOldFileWholeAndSaysWhyOnce) {
    const QByteArray old = "[Other]\nKeep=me\n\n[Vantor]\nSkin=Red\nVolume=40\n";
    const QByteArray after =
        "[Other]\nKeep=me\n\n[Vantor]\nSkin=Blue\nVolume=7\nPath=/usr/games\nShuffle=1\n";
    const QString folder = dir.filePath("cfg"), path = folder + "/Vantor.ini";
    QDir().mkpath(folder);
    using Step = std::function<bool()>;
    const struct {
        const char* name;
        Step prepare, takeAway, giveBack;
        const char* words;
    } cases[] = {
        {"full disk", [&] { return testsupport::mountSmallDisk(folder, 64); },
         [&] { return testsupport::fillDisk(folder), true; },
         [&] { return QFile::remove(folder + "/filler"); }, "the disk is full"},
        {"file size limit", [] { return true; },
         [&] { return testsupport::limitFileSize(old.size() / 2), true; },
         [] { return testsupport::limitFileSize(RLIM_INFINITY), true; },
         "the file would be larger than this system allows"},
        {"read-only file", [&] { return testsupport::becomeOrdinaryUser(folder); },
         [&] { return QFile::setPermissions(path, QFileDevice::ReadOwner); },
         [&] {
             return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
         },
         "the player has no permission to write it"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        // What the store told, the file and folder while it failed, its values, the file after.
        const QByteArray seen = testsupport::inChild([&] {
            if (!c.prepare())
                return QByteArray("skip");
            QStringList told;
            const auto tell = [&told](const QString& text) { told << text; };
            writeFile(path, old);
            SettingsStore store(path), other(path);
            store.setProblemHandler(tell);
            other.setProblemHandler(tell);
            if (!c.takeAway())
                return QByteArray("not taken away");
            store.write("Path", "/usr/games");
            store.writeAll({{"Volume", "7"}, {"Skin", "Blue"}});
            other.write("Skin", "Green");
            QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
            files.removeAll("filler");
            const QByteArray during = readFile(path);
            const QString kept = store.read("VOLUME") + ' ' + store.read("skin");
            c.giveBack();
            store.write("Shuffle", "1");
            return (told.join('\n') + "\n--\n" + files.join(' ') + ' ' + kept + "\n--\n").toUtf8() +
                   during + "--\n" + readFile(path);
        });
        if (seen == "skip") {
            std::cout << "[ SKIPPED  ] " << c.name << ": no tmpfs mount here\n";
            continue;
        }
        const QString told = "Settings could not be saved: " + QString::fromLatin1(c.words) +
                             ". The file " + path +
                             " keeps the settings it had; changes made now last until the player "
                             "closes.";
        EXPECT_EQ(QString::fromUtf8(seen),
                  told + "\n--\nVantor.ini 7 Blue\n--\n" + old + "--\n" + after);
    }
}

// A file the store cannot read is moved aside whole and named, never written over.
TEST_F(SettingsStoreTest, AFileThatCannotBeReadIsKeptAsideWhole) {
    const QString folder = dir.filePath("cfg"), path = folder + "/Vantor.ini";
    QDir().mkpath(folder);
    // The first look at the file, in this process or a child: the value read, the path set
    // aside and what was told, a line each.
    const auto look = [&] {
        SettingsStore store(path);
        QStringList seen;
        store.setProblemHandler([&seen](const QString& text) { seen << text; });
        const QString skin = store.read("Skin", "dflt");
        seen.prepend(skin + '\n' + store.keptAsidePath());
        QFile::setPermissions(store.keptAsidePath(), QFileDevice::ReadOwner);
        return seen.join('\n').toUtf8();
    };
    const QByteArray mine = "[Vantor]\nSkin=Mine\n";
    const QByteArray big = mine + ';' + QByteArray(4 << 20, 'x') + '\n';
    const struct {
        const char* name;
        QByteArray original;
        std::function<QByteArray()> firstLook;
        const char* why;
    } cases[] = {
        {"too big", big, look, "larger than 4 MiB"},
        {"unreadable", mine,
         [&] {
             return testsupport::inChild([&] {
                 QFile::setPermissions(path, {});
                 if (!testsupport::becomeOrdinaryUser(folder))
                     return QByteArray();
                 return look();
             });
         },
         "Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.original);
        const QStringList seen = QString::fromUtf8(c.firstLook()).split('\n');
        ASSERT_EQ(seen.size(), 3) << seen.join('\n').toStdString();
        const QString &skin = seen[0], &aside = seen[1], &told = seen[2];
        EXPECT_EQ(skin, "dflt");
        EXPECT_TRUE(aside.startsWith(path + ".corrupt-")) << aside.toStdString();
        EXPECT_TRUE(told.contains(c.why)) << told.toStdString();
        EXPECT_TRUE(told.contains(aside)) << told.toStdString();
        SettingsStore(path).write("Volume", "5");
        EXPECT_EQ(readFile(path), "[Vantor]\nVolume=5\n");
        EXPECT_EQ(readFile(aside), c.original);
        QFile::remove(aside);
        QFile::remove(path);
    }
    // A folder where the file should be: reported, left alone, nothing saved.
    QDir().mkpath(folder + "/Vantor.ini/inside");
    SettingsStore store(path);
    store.write("Skin", "Blue");
    EXPECT_EQ(store.read("Skin", "dflt"), "Blue");
    EXPECT_TRUE(store.problem().contains("is not a file")) << store.problem().toStdString();
    EXPECT_TRUE(QFileInfo(folder + "/Vantor.ini/inside").isDir());
}

TEST_F(PreferencesTest, SavedDialogKeysLoadBackNoOthersAreWrittenDamagedOnesFallBack) {
    Preferences p = Preferences::defaults(kProgram);
    // clang-format off
    p.useSub = false; p.device = "Speakers, front"; p.screenSaverDisabled = false;
    p.scrollTitle = false; p.fontName = "DejaVu Sans"; p.fontSize = "21.5";
    p.fontColour = 0x0000ff; p.keyRed = 255; p.keyGreen = 1; p.keyBlue = 0;
    p.autoOverlay = false; p.findSubtitles = false; p.subYPos = "72.5";
    p.skin = "/home/me/skins/Dark, blue"; p.audioSys = 6; p.scenixDrive = 0; p.charset = 11;
    p.deviceIdx = 0; p.changeRes = true; p.changeResXY = 4; p.changeResCols = 0;
    p.changeResHz = 5; p.dedynamic = true;
    // clang-format on
    {
        // A file as earlier versions left it: keys in alphabetical order.
        QSettings old(path, QSettings::IniFormat);
        for (const char* key : {"Charset", "Skin", "UseSub"})
            old.setValue(QStringLiteral("Vantor/") + key, "1");
        old.setValue("Vantor/Volume", QString::number(p.volume));
    }
    p.saveDialogKeys(store);

    // One save, the keys side by side in the dialog's order.
    QStringList inFile;
    for (const QByteArray& line : readFile(path).split('\n'))
        if (line.contains('=') && !line.startsWith("Volume="))
            inFile << QString::fromUtf8(line.left(line.indexOf('=')));
    EXPECT_EQ(inFile.join(' '),
              "UseSub Device ScreenSaver Scroll FontName FontSize FontColor R G B "
              "AutoOverlay FindSubs SubYpos Skin AudioSys Scenixdrv1 Charset "
              "DeviceIdx ChangeRes ChangeResXY ChangeResCols ChangeResHz "
              "Dedynamic DeviceId");
    EXPECT_EQ(QSettings(path, QSettings::IniFormat).allKeys().size(), 25)
        << "read back by QSettings too";

    EXPECT_EQ(Preferences::load(store, kProgram), p);

    // Damaged values fall back or are capped.
    const QList<std::pair<QString, QString>> values = {
        {"UseSub", "yes"}, {"ChangeRes", "2"}, {"R", "300"},
        {"G", "-4"},       {"B", "blue"},      {"FontColor", "16777216"},
        {"AudioSys", ""},  {"Charset", " 3 "}, {"ChangeResXY", "9"}};
    store.writeAll(values);
    const Preferences damaged = Preferences::load(store, kProgram);
    EXPECT_TRUE(damaged.useSub);
    EXPECT_FALSE(damaged.changeRes);
    EXPECT_EQ(damaged.keyColour(), QColor(255, 0, 16));
    EXPECT_EQ(damaged.fontColour, 16777215);
    EXPECT_EQ(damaged.audioSys, 2);
    EXPECT_EQ(damaged.charset, 3);
    // Indexes are the lists' business: kept as stored.
    EXPECT_EQ(damaged.changeResXY, 9);
}
} // namespace

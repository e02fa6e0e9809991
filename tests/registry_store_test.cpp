// The registry file, the easy-access object the decoder pages use, preset import.
#include "child_process.h"
#include "support/registry/read_write_easy_reg.h"
#include "support/registry/registry_import.h"
#include "support/registry/registry_store.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>

using namespace reg;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QString kKey = QStringLiteral("Software\\Microsoft\\Scrunch");

class RegistryStoreTest : public ::testing::Test {
  protected:
    // Type 0xdead tells "not found" from REG_NONE.
    RegistryValue value(const RegistryStore& from, const QString& path, const QString& name,
                        quint32 root = HKEY_CURRENT_USER) const {
        RegistryValue v;
        v.type = 0xdead;
        from.queryValue(root, path, name, &v);
        return v;
    }
    RegistryValue value(const QString& path, const QString& name) const {
        return value(store, path, name);
    }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("cfg/registry.reg")); // folder made on first write
    RegistryStore store{file};
};
using RegistryImportTest = RegistryStoreTest;

class EasyRegTest : public RegistryStoreTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(store.createKey(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
        ASSERT_TRUE(easy.OpenRegistry(HKEY_CURRENT_USER, kKey));
    }
    void TearDown() override { cReadWriteEasyReg::setMessageBoxHandler(nullptr); }
    void set(const QString& name, quint32 type, const QByteArray& data) {
        ASSERT_EQ(store.setValue(HKEY_CURRENT_USER, kKey, name, type, data), ERROR_SUCCESS);
    }

    cReadWriteEasyReg easy{store};
};

QList<int> skippedLines(const RegistryImportResult& result) {
    QList<int> lines;
    for (const RegistrySkippedLine& s : result.skipped)
        lines.append(s.line);
    return lines;
}

} // namespace

TEST_F(RegistryStoreTest, EveryTypeRoundTripsThroughTheFile) {
    QByteArray binary;
    for (int i = 0; i < 300; ++i)
        binary.append(char(i * 7));
    const std::tuple<QString, quint32, QByteArray> values[] = {
        {"Plain", REG_SZ, stringData(QString::fromUtf8("C:\\dir\\\"quoted\" é 日本"))},
        {"Lines", REG_SZ, stringData("one\ntwo\r")},    // no quoted form: hex(1)
        {"NoTerminator", REG_SZ, QByteArray("a\0", 2)}, // kept as it is
        {"EmptyData", REG_SZ, QByteArray()},
        {"Inner NUL", REG_SZ, stringData(QString("a") + QChar(0) + "b")},
        {"Expand", REG_EXPAND_SZ, stringData("%TEMP%\\x")},
        {"Binary", REG_BINARY, binary}, // wraps over lines
        {"Number", REG_DWORD, QByteArray("\x2c\x01\x00\x00", 4)},
        {"Odd dword", REG_DWORD, QByteArray("\x01\x02", 2)},
        {"Multi", REG_MULTI_SZ, stringData(QString("a") + QChar(0) + "b" + QChar(0))},
        {"Qword", REG_QWORD, QByteArray(8, '\x7f')},
        {"", REG_SZ, stringData("default")},
        {"Name \"with\" \\ and\nbreak", REG_NONE, QByteArray()},
    };
    store.createKey(HKEY_CURRENT_USER, "Software\\Vantor");
    for (const auto& [name, type, data] : values)
        store.setValue(HKEY_CURRENT_USER, "Software\\Vantor", name, type, data);
    const QByteArray text = readFile(file);
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\n\n"));
    EXPECT_TRUE(text.contains("\n\"Number\"=dword:0000012c\n"));
    EXPECT_TRUE(text.contains("\n@=\"default\"\n"));
    EXPECT_TRUE(text.contains(",\\\n  ")); // long hex goes on over lines

    RegistryStore second(file);
    QStringList names;
    ASSERT_EQ(second.valueNames(HKEY_CURRENT_USER, "software\\VANTOR", &names), ERROR_SUCCESS);
    ASSERT_EQ(names.size(), int(std::size(values)));
    for (int i = 0; i < names.size(); ++i) {
        const auto& [name, type, data] = values[i];
        EXPECT_EQ(names[i], name); // creation order, first spelling
        const RegistryValue v = value(second, "SOFTWARE\\vantor", name.toUpper());
        EXPECT_EQ(v.type, type) << name.toStdString();
        EXPECT_EQ(v.data, data) << name.toStdString();
    }
    EXPECT_TRUE(second.problem().isEmpty());
}

// Deletions and the limits are pinned through the import, the store's only caller of them.
TEST_F(RegistryStoreTest, KeysFollowTheRegistrysRules) {
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, ""), ERROR_SUCCESS) << "roots always exist";
    EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, "\\A\\\\b\\c\\"), ERROR_SUCCESS);
    EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, "a\\B\\c"), ERROR_SUCCESS) << "already there";
    EXPECT_EQ(store.keyExists(HKEY_LOCAL_MACHINE, "A\\B\\C"), ERROR_SUCCESS);
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, "a"), ERROR_FILE_NOT_FOUND) << "roots apart";

    EXPECT_EQ(store.setValue(HKEY_LOCAL_MACHINE, "a\\nope", "v", REG_SZ, {}), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.setValue(HKEY_LOCAL_MACHINE, "a", "Volume", REG_DWORD, "1111"), ERROR_SUCCESS);
    EXPECT_EQ(store.setValue(HKEY_LOCAL_MACHINE, "A", "VOLUME", REG_BINARY, "22"), ERROR_SUCCESS);
    EXPECT_EQ(value(store, "a", "volume", HKEY_LOCAL_MACHINE).name, "Volume");
    EXPECT_EQ(value(store, "a", "volume", HKEY_LOCAL_MACHINE).type, REG_BINARY);
    EXPECT_EQ(store.setValue(HKEY_USERS, "", QString("nul") + QChar(0), REG_SZ, {}),
              ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryStoreTest, DamagedFileIsKeptAsideAndItsGoodValuesKept) {
    QDir().mkpath(QFileInfo(file).path());
    const QByteArray damaged = "Windows Registry Editor Version 5.00\n\n"
                               "[HKEY_CURRENT_USER\\Software\\Scrunch]\n"
                               "\"Brightness\"=dword:00000032\n"
                               "\x01\x02garbage\xff\n"
                               "\"Contrast\"=\"unterminated\n"
                               "[HKEY_CURRENT_USER\\Software\\Scrunch\\Video]\n"
                               "\"Hue\"=dword:0000002a\n";
    writeFile(file, damaged);
    QStringList reported;
    RegistryStore store(file);
    store.setProblemHandler([&](const QString& text) { reported.append(text); });

    EXPECT_EQ(value(store, "Software\\Scrunch", "Brightness").data, QByteArray("2\0\0\0", 4));
    EXPECT_EQ(value(store, "Software\\Scrunch\\Video", "Hue").data, QByteArray("*\0\0\0", 4));
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(store.problem(), reported.first());
    EXPECT_TRUE(store.problem().contains("2 line(s)")) << store.problem().toStdString();
    EXPECT_TRUE(store.problem().contains("line 5")) << store.problem().toStdString();
    const QString aside = store.keptAsidePath();
    EXPECT_TRUE(aside.startsWith(file + ".corrupt-"));
    EXPECT_EQ(readFile(aside), damaged);

    // The file now holds what could be read, and reads clean.
    RegistryStore again(file);
    EXPECT_EQ(value(again, "Software\\Scrunch", "Brightness").type, REG_DWORD);
    EXPECT_TRUE(again.problem().isEmpty());
    EXPECT_TRUE(again.keptAsidePath().isEmpty());

    // No header at all: still read, still kept aside under a new name.
    writeFile(file, "[HKEY_CURRENT_USER\\X]\n\"v\"=dword:1\n");
    EXPECT_EQ(value(store, "X", "v").type, REG_DWORD);
    EXPECT_TRUE(store.problem().contains("no registry header"));
    EXPECT_NE(store.keptAsidePath(), aside);
    EXPECT_TRUE(QFile::exists(aside) && QFile::exists(store.keptAsidePath()));

    // Only blank lines: an empty registry, nothing kept aside.
    writeFile(file, "\n  \n");
    RegistryStore blank(file);
    EXPECT_EQ(blank.createKey(HKEY_CURRENT_USER, "a"), ERROR_SUCCESS);
    EXPECT_TRUE(blank.problem().isEmpty());
    EXPECT_TRUE(blank.keptAsidePath().isEmpty());
}

// A save the system refuses (a file size limit) is told once and not kept in memory.
TEST_F(RegistryStoreTest, AFailedSaveIsNotKeptAndIsToldOnce) {
    RegistryStore(file).createKey(HKEY_CURRENT_USER, "Software");
    const QByteArray old = readFile(file);
    // Both changes' results, the new value's type, what was told, then the file.
    const QByteArray seen = testsupport::inChild([&] {
        RegistryStore store(file);
        QStringList told;
        store.setProblemHandler([&told](const QString& text) { told << text; });
        testsupport::limitFileSize(8);
        const qint32 set =
            store.setValue(HKEY_CURRENT_USER, "Software", "New", REG_SZ, stringData("x"));
        const qint32 created = store.createKey(HKEY_CURRENT_USER, "Other");
        const QStringList results{QString::number(set), QString::number(created),
                                  QString::number(value(store, "Software", "New").type, 16)};
        return ((results + told).join('\n') + '\n').toUtf8() + readFile(file);
    });
    // A change not on disk is not kept.
    const QString fault = QString::number(ERROR_WRITE_FAULT);
    EXPECT_EQ(QString::fromUtf8(seen),
              fault + '\n' + fault + "\ndead\nThe registry file " + file +
                  " could not be written: the file would be larger than this system allows. It "
                  "keeps the values it had.\n" +
                  old);
}

// The decoder pages read numbers as text ("32 00 00 00 ") and write whole numbers.
TEST_F(EasyRegTest, GetValueTextCreateValueNumbersAFailedOpenClosesAnUnreadableFileIsTold) {
    set("Dword", REG_DWORD, QByteArray("\x2c\x01\0\xff", 4));
    EXPECT_EQ(easy.GetValue("DWORD"), QVariant(QStringLiteral("2C 01 00 FF ")));
    EXPECT_FALSE(easy.GetValue("Missing").isValid());
    // Whole numbers as the decoder pages write them; fractions round half to even.
    const QPair<QVariant, QByteArray> numbers[] = {
        {3000, QByteArray("\xb8\x0b\0\0", 4)},
        {2.5, QByteArray("\2\0\0\0", 4)},
        {3.5, QByteArray("\4\0\0\0", 4)},
        {QString("-2.5"), QByteArray("\xfe\xff\xff\xff", 4)},
        {-1, QByteArray("\xff\xff\xff\xff", 4)},
        {INT_MIN, QByteArray("\0\0\0\x80", 4)}};
    for (const auto& [input, bytes] : numbers) {
        SCOPED_TRACE(input.toString().toStdString());
        EXPECT_TRUE(easy.CreateValue("Number", input, REG_DWORD));
        EXPECT_EQ(value(kKey, "Number").data, bytes);
    }
    // A type the pages do not write is refused, with the message.
    QStringList shown;
    cReadWriteEasyReg::setMessageBoxHandler([&](const QString& text) { shown.append(text); });
    for (qint64 type : {3LL, 0x100000004LL})
        EXPECT_FALSE(easy.CreateValue("Band 0", 15, type)) << type;
    EXPECT_EQ(shown, QStringList(2, "Unable To process that Type of data."));

    // A failed open closes the key held before.
    set("Brightness", REG_DWORD, QByteArray(4, '\1'));
    EXPECT_FALSE(easy.OpenRegistry(HKEY_CURRENT_USER, "Software\\DivXNetworks\\DivX4Windows"));
    EXPECT_FALSE(easy.GetValue("Brightness").isValid());

    // The file turned into something that cannot be read.
    ASSERT_TRUE(easy.OpenRegistry(HKEY_CURRENT_USER, kKey));
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file + "/inside"));
    EXPECT_EQ(easy.GetValue("Hue"), QVariant(QStringLiteral("Access Denied")));
    EXPECT_FALSE(easy.OpenRegistry(HKEY_CURRENT_USER, kKey));
    EXPECT_EQ(store.createKey(HKEY_CURRENT_USER, "a"), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(store.problem().isEmpty());
    EXPECT_TRUE(QFileInfo(file + "/inside").isDir()) << "left alone";
}

TEST_F(RegistryImportTest, PresetSetsExactlyItsValuesInEveryEncoding) {
    const QString body =
        QString::fromUtf8("\n; speaker preset\n"
                          "[HKEY_CURRENT_USER\\Software\\Microsoft\\Scrunch\\WMAudio]\n"
                          "@=\"Default\"\n"
                          "\"Path\" = \"C:\\\\Decoders\\\\\\\"x\\\" é\"  ; comment\n"
                          "\"Speakers\"=dword:00000006\n"
                          "\"Band 0\"=hex:0f,00,\\\n"
                          "  ; a comment inside the value\n"
                          "\n"
                          "  00,00\n");
    const QString v4Strings = QString::fromUtf8("\"Expand\"=hex(2):25,54,25,00\n"
                                                "\"Multi\"=hex(7):61,00,62,00,00\n");
    const QString v5Strings = QString::fromUtf8("\"Expand\"=hex(2):25,00,54,00,25,00,00,00\n"
                                                "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n");
    const QString v4 = "REGEDIT4\n" + body + v4Strings;
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QString v5 = "Windows Registry Editor Version 5.00\n" + body + v5Strings;
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"regedit4-cp1252-crlf.iwc", v4.toLatin1().replace("\n", "\r\n")},
        {"regedit4-utf8.iwc", v4.toUtf8()},
        {"v5-utf16.iwc", utf16.encode(v5)},
        {"v5-utf8.iwc", v5.toUtf8()},
    };
    const QString key = "software\\microsoft\\scrunch\\wmaudio";
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        store.deleteKey(HKEY_CURRENT_USER, "Software", true);
        store.createKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Scrunch\\WMAudio");
        store.setValue(HKEY_CURRENT_USER, key, "Kept", REG_DWORD, "keep");

        const RegistryImportResult result =
            importRegistryFile(writeFile(dir.filePath(f.name), f.bytes), store);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_TRUE(result.skipped.isEmpty()) << result.skipped.value(0).reason.toStdString();

        QStringList names;
        store.valueNames(HKEY_CURRENT_USER, key, &names);
        EXPECT_EQ(names,
                  QStringList({"Kept", "", "Path", "Speakers", "Band 0", "Expand", "Multi"}));
        EXPECT_EQ(value(key, "").data, stringData("Default"));
        EXPECT_EQ(value(key, "path").data, stringData(QString::fromUtf8("C:\\Decoders\\\"x\" é")));
        EXPECT_EQ(value(key, "Speakers").data, QByteArray("\6\0\0\0", 4));
        EXPECT_EQ(value(key, "Band 0").type, REG_BINARY);
        EXPECT_EQ(value(key, "Band 0").data, QByteArray("\x0f\0\0\0", 4));
        EXPECT_EQ(value(key, "Expand").type, REG_EXPAND_SZ);
        EXPECT_EQ(value(key, "Expand").data, stringData("%T%"));
        EXPECT_EQ(value(key, "Multi").type, REG_MULTI_SZ);
        EXPECT_EQ(value(key, "Multi").data, stringData(QString("a") + QChar(0) + "b" + QChar(0)));
    }
}

TEST_F(RegistryImportTest, MalformedLinesAreSkippedTheRestImportedDeletionsApplied) {
    const QByteArray text = "Windows Registry Editor Version 5.00\n"
                            "\"early\"=\"before any key\"\n" // 2
                            "[HKEY_CURRENT_USER\\K]\n"
                            "\"ok1\"=dword:1\n"
                            "\"unclosed=1\n"            // 5
                            "\"a\"=\"never closes\n"    // 6
                            "\"b\"=\"x\" trailing\n"    // 7
                            "\"c\"=\"cut \\0 short\"\n" // 8
                            "\"d\"=dword:123456789\n"   // 9: over 32 bits
                            "\"e\"=dword:xyz\n"         // 10
                            "\"f\"=hex:1ff\n"           // 11
                            "\"g\"=hex:01,,02\n"        // 12
                            "\"h\"=hex(zz):00\n"        // 13
                            "\"i\"=string:x\n"          // 14
                            "\"j\" \"k\"\n"             // 15
                            "stray words\n"             // 16
                            "\"bad\"=hex:01,zz,\\\n"    // 17
                            "  02,03,\\\n"
                            "  04\n"
                            "\"ok2\"=hex:01,\\\n"      // 20
                            "[HKEY_CURRENT_USER\\L]\n" // 21: not hex, so ok2 is cut short
                            "[HKEY_NOWHERE\\K]\n"      // 22
                            "\"lost\"=dword:2\n"       // 23
                            "[HKEY_CURRENT_USER\\M\n"  // 24
                            "\"lost2\"=dword:3\n"      // 25
                            "[HKCU\\N]\n"
                            "\"ok3\"=hex(100000000):00\n" // 27
                            "\"ok4\"=dword:ffffffff ; max\n"
                            "\"ok5\"=hex(0):\n"
                            "\"ok6\"=hex:aa,\\\n"; // ends with the file
    const RegistryImportResult result = importRegistryText(text, store);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(skippedLines(result), QList<int>({2,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                                14, 15, 16, 17, 20, 22, 23, 24, 25, 27}));
    EXPECT_EQ(value("K", "ok1").data, QByteArray("\1\0\0\0", 4));
    EXPECT_EQ(value("N", "ok4").data, QByteArray("\xff\xff\xff\xff", 4));
    EXPECT_EQ(value("N", "ok5").type, REG_NONE);
    EXPECT_EQ(value("N", "ok6").data, "\xaa");
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, "L"), ERROR_SUCCESS);
    QStringList names;
    store.valueNames(HKEY_CURRENT_USER, "K", &names);
    EXPECT_EQ(names, QStringList({"ok1"}));

    // Deletions remove keys and values.
    store.createKey(HKEY_CURRENT_USER, "Old\\Deep\\Deeper");
    store.createKey(HKEY_CURRENT_USER, "Keep");
    store.setValue(HKEY_CURRENT_USER, "Keep", "gone", REG_SZ, stringData("x"));
    store.setValue(HKEY_CURRENT_USER, "Keep", "stays", REG_SZ, stringData("y"));
    const RegistryImportResult deletions =
        importRegistryText("REGEDIT4\n"
                           "[-HKEY_CURRENT_USER\\OLD]\n"
                           "\"orphan\"=\"goes nowhere\"\n" // line 3
                           "[-HKEY_CURRENT_USER\\Never\\There]\n"
                           "[HKCU\\keep]\n"
                           "\"Gone\"=-\n"
                           "\"absent\"=- ; no such value\n"
                           "[-HKEY_CURRENT_USER]\n", // line 8: a root stays
                           store);
    ASSERT_TRUE(deletions.ok);
    EXPECT_EQ(skippedLines(deletions), QList<int>({3, 8}));
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, "Old"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value("Keep", "gone").type, 0xdeadu);
    EXPECT_EQ(value("Keep", "stays").data, stringData("y"));
}

TEST_F(RegistryImportTest, AbsurdInputsAreRefusedWithoutHarm) {
    // Over the value size limit on one line, and a large value over many lines.
    QByteArray huge = "REGEDIT4\n[HKEY_CURRENT_USER\\Big]\n\"huge\"=hex:";
    for (int i = 0; i < kMaxValueDataBytes + 10; ++i)
        huge += "ab,";
    huge += "\n\"wrapped\"=hex:";
    for (int i = 0; i < 100000; ++i)
        huge += (i % 25 == 24) ? "cd,\\\n  " : "cd,";
    huge += "cd\n";
    RegistryImportResult result = importRegistryText(huge, store);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(skippedLines(result), QList<int>({3}));
    EXPECT_EQ(value("Big", "wrapped").data, QByteArray(100001, '\xcd'));

    // Keys too deep or too long are refused by the store, and reported.
    QByteArray deep = "REGEDIT4\n[HKEY_CURRENT_USER";
    for (int i = 0; i < 600; ++i)
        deep += "\\k";
    deep += "]\n\"v\"=dword:1\n[HKEY_CURRENT_USER\\" + QByteArray(300, 'n') + "]\n";
    result = importRegistryText(deep, store);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(skippedLines(result), QList<int>({2, 3, 4}));
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, "k"), ERROR_FILE_NOT_FOUND);

    // Files that are no registry exports change nothing.
    const QByteArray before = store.exportText();
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("[HKEY_CURRENT_USER\\X]\n\"a\"=dword:1\n"),
          QByteArray("REGEDIT\n[HKEY_CURRENT_USER\\X]\n"), QByteArray("\xff\xfe", 2)})
        EXPECT_FALSE(importRegistryText(bad, store).ok);
    result = importRegistryFile(dir.filePath("missing.iwc"), store);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains("missing.iwc"));
    EXPECT_EQ(store.exportText(), before);
}

#include "support/registry/registry_import.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reg;

namespace {

class RegistryImportTest : public ::testing::Test {
  protected:
    QString write(const QString& name, const QByteArray& content) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    static QByteArray utf16WithBom(const QString& text) {
        QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        return encoder.encode(text);
    }
    RegistryValue value(const QString& path, const QString& name) {
        RegistryValue v;
        v.type = 0xdead;
        store.queryValue(HKEY_CURRENT_USER, path, name, &v);
        return v;
    }
    QList<int> skippedLines(const RegistryImportResult& result) {
        QList<int> lines;
        for (const RegistrySkippedLine& s : result.skipped)
            lines.append(s.line);
        return lines;
    }

    QTemporaryDir dir;
    RegistryStore store{dir.filePath("registry.reg")};
};

// One preset in the three forms a preset file comes in: the same values.
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
    const QString v5 = "Windows Registry Editor Version 5.00\n" + body + v5Strings;
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"regedit4-cp1252-crlf.iwc", v4.toLatin1().replace("\n", "\r\n")},
        {"regedit4-utf8.iwc", v4.toUtf8()},
        {"v5-utf16.iwc", utf16WithBom(v5)},
        {"v5-utf8.iwc", v5.toUtf8()},
    };
    const QString key = "software\\microsoft\\scrunch\\wmaudio";
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        store.deleteKey(HKEY_CURRENT_USER, "Software", true);
        store.createKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Scrunch\\WMAudio");
        store.setValue(HKEY_CURRENT_USER, key, "Kept", REG_DWORD, "keep");

        const RegistryImportResult result = importRegistryFile(write(f.name, f.bytes), store);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_TRUE(result.skipped.isEmpty()) << result.skipped.value(0).reason.toStdString();
        EXPECT_EQ(result.valuesSet, 6);

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
        EXPECT_EQ(value(key, "Kept").data, "keep");
    }
}

TEST_F(RegistryImportTest, DeletionsRemoveKeysAndValues) {
    store.createKey(HKEY_CURRENT_USER, "Old\\Deep\\Deeper");
    store.createKey(HKEY_CURRENT_USER, "Keep");
    store.setValue(HKEY_CURRENT_USER, "Keep", "gone", REG_SZ, stringData("x"));
    store.setValue(HKEY_CURRENT_USER, "Keep", "stays", REG_SZ, stringData("y"));
    const RegistryImportResult result =
        importRegistryText("REGEDIT4\n"
                           "[-HKEY_CURRENT_USER\\OLD]\n"
                           "\"orphan\"=\"goes nowhere\"\n" // line 3
                           "[-HKEY_CURRENT_USER\\Never\\There]\n"
                           "[HKCU\\keep]\n"
                           "\"Gone\"=-\n"
                           "\"absent\"=- ; no such value\n"
                           "[-HKEY_CURRENT_USER]\n", // line 8: a root stays
                           store);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.valuesSet, 0);
    EXPECT_EQ(skippedLines(result), QList<int>({3, 8}));
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, "Old"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value("Keep", "gone").type, 0xdeadu);
    EXPECT_EQ(value("Keep", "stays").data, stringData("y"));
}

TEST_F(RegistryImportTest, MalformedLinesAreSkippedAndTheRestImported) {
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
    for (const RegistrySkippedLine& s : result.skipped)
        EXPECT_FALSE(s.reason.isEmpty());
    EXPECT_EQ(result.valuesSet, 4);
    EXPECT_EQ(value("K", "ok1").data, QByteArray("\1\0\0\0", 4));
    EXPECT_EQ(value("N", "ok4").data, QByteArray("\xff\xff\xff\xff", 4));
    EXPECT_EQ(value("N", "ok5").type, REG_NONE);
    EXPECT_EQ(value("N", "ok6").data, "\xaa");
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, "L"), ERROR_SUCCESS);
    QStringList names;
    store.valueNames(HKEY_CURRENT_USER, "K", &names);
    EXPECT_EQ(names, QStringList({"ok1"}));
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

    // Random bytes after a valid header: skipped lines, no crash.
    QByteArray noise = "REGEDIT4\n";
    for (int i = 0; i < 20000; ++i)
        noise += char((i * 7919 + i / 3) % 256);
    EXPECT_TRUE(importRegistryText(noise, store).ok);

    // Files that are no registry exports change nothing.
    const QByteArray before = store.exportText();
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("[HKEY_CURRENT_USER\\X]\n\"a\"=dword:1\n"),
          QByteArray("REGEDIT\n[HKEY_CURRENT_USER\\X]\n"), QByteArray("\xff\xfe", 2)}) {
        result = importRegistryText(bad, store);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.isEmpty());
    }
    result = importRegistryFile(dir.filePath("missing.iwc"), store);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains("missing.iwc"));
    EXPECT_EQ(store.exportText(), before);
}

} // namespace

#include "child_process.h"
#include "support/registry/registry_store.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reg;

namespace {

class RegistryStoreTest : public ::testing::Test {
  protected:
    QByteArray bytes(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QString& path, const QByteArray& content) const {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    RegistryValue value(const RegistryStore& store, const QString& path, const QString& name,
                        quint32 root = HKEY_CURRENT_USER) const {
        RegistryValue v;
        v.type = 0xdead; // tells "not found" from REG_NONE
        store.queryValue(root, path, name, &v);
        return v;
    }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("cfg/registry.reg")); // folder made on first write
};

TEST_F(RegistryStoreTest, EveryTypeRoundTripsThroughTheFile) {
    const QByteArray binary = [] {
        QByteArray b;
        for (int i = 0; i < 300; ++i)
            b.append(char(i * 7));
        return b;
    }();
    const struct {
        QString name;
        quint32 type;
        QByteArray data;
    } values[] = {
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
    {
        RegistryStore store(file);
        ASSERT_EQ(store.createKey(HKEY_CURRENT_USER, "Software\\Vantor"), ERROR_SUCCESS);
        for (const auto& v : values)
            ASSERT_EQ(store.setValue(HKEY_CURRENT_USER, "Software\\Vantor", v.name, v.type, v.data),
                      ERROR_SUCCESS);
        EXPECT_TRUE(store.problem().isEmpty());
    }
    const QByteArray text = bytes(file);
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\n\n"));
    EXPECT_TRUE(text.contains("\n\"Number\"=dword:0000012c\n"));
    EXPECT_TRUE(text.contains("\n@=\"default\"\n"));
    EXPECT_TRUE(text.contains(",\\\n  ")); // long hex goes on over lines

    RegistryStore second(file);
    QStringList names;
    ASSERT_EQ(second.valueNames(HKEY_CURRENT_USER, "software\\VANTOR", &names), ERROR_SUCCESS);
    ASSERT_EQ(names.size(), int(std::size(values)));
    for (int i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(values[i].name.toStdString());
        EXPECT_EQ(names[i], values[i].name); // creation order, first spelling
        const RegistryValue v = value(second, "SOFTWARE\\vantor", values[i].name.toUpper());
        EXPECT_EQ(v.type, values[i].type);
        EXPECT_EQ(v.data, values[i].data);
    }
    EXPECT_TRUE(second.problem().isEmpty());
}

TEST_F(RegistryStoreTest, KeysFollowTheRegistrysRules) {
    RegistryStore store(file);
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, ""),
              ERROR_SUCCESS); // roots always exist
    EXPECT_EQ(store.keyExists(0x1234, ""), ERROR_INVALID_HANDLE);
    EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, "\\A\\\\b\\c\\"), ERROR_SUCCESS);
    EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, "a\\Zed"), ERROR_SUCCESS);
    EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, "a\\B\\c"),
              ERROR_SUCCESS); // already there
    QStringList names;
    store.subKeyNames(HKEY_LOCAL_MACHINE, "A", &names);
    EXPECT_EQ(names, QStringList({"b", "Zed"})); // alphabetical, first spelling
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, "a"),
              ERROR_FILE_NOT_FOUND); // roots are apart

    EXPECT_EQ(store.setValue(HKEY_LOCAL_MACHINE, "a\\nope", "v", REG_SZ, {}), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.setValue(HKEY_LOCAL_MACHINE, "a", "Volume", REG_DWORD, "1111"), ERROR_SUCCESS);
    EXPECT_EQ(store.setValue(HKEY_LOCAL_MACHINE, "A", "VOLUME", REG_BINARY, "22"), ERROR_SUCCESS);
    EXPECT_EQ(value(store, "a", "volume", HKEY_LOCAL_MACHINE).name, "Volume");
    EXPECT_EQ(value(store, "a", "volume", HKEY_LOCAL_MACHINE).type, REG_BINARY);
    EXPECT_EQ(store.deleteValue(HKEY_LOCAL_MACHINE, "a", "vOlUmE"), ERROR_SUCCESS);
    EXPECT_EQ(store.deleteValue(HKEY_LOCAL_MACHINE, "a", "volume"), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(store.deleteKey(HKEY_LOCAL_MACHINE, "a\\b", false), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store.deleteKey(HKEY_LOCAL_MACHINE, "a\\b\\c", false), ERROR_SUCCESS);
    EXPECT_EQ(store.deleteKey(HKEY_LOCAL_MACHINE, "a", true), ERROR_SUCCESS);
    EXPECT_EQ(store.keyExists(HKEY_LOCAL_MACHINE, "a\\zed"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.deleteKey(HKEY_LOCAL_MACHINE, "", true), ERROR_ACCESS_DENIED);

    // Limits: nothing is half made when a path or value is refused.
    const QString deep = QStringList(kMaxKeyDepth + 1, "k").join('\\');
    EXPECT_EQ(store.createKey(HKEY_USERS, deep), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(store.keyExists(HKEY_USERS, "k"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.createKey(HKEY_USERS, QString(kMaxKeyNameLength + 1, 'n')),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(store.createKey(HKEY_USERS, "line\nbreak"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(
        store.setValue(HKEY_USERS, "", "big", REG_BINARY, QByteArray(kMaxValueDataBytes + 1, 'x')),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(store.setValue(HKEY_USERS, "", QString("nul") + QChar(0), REG_SZ, {}),
              ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryStoreTest, ChangesByAnotherStoreAreSeen) {
    RegistryStore first(file);
    RegistryStore second(file);
    ASSERT_EQ(first.createKey(HKEY_CURRENT_USER, "K"), ERROR_SUCCESS);
    ASSERT_EQ(second.setValue(HKEY_CURRENT_USER, "k", "x", REG_DWORD, "abcd"), ERROR_SUCCESS);
    EXPECT_EQ(value(first, "K", "X").data, "abcd");
    // A write from the first store does not undo the second's.
    ASSERT_EQ(first.setValue(HKEY_CURRENT_USER, "K", "y", REG_DWORD, "efgh"), ERROR_SUCCESS);
    EXPECT_EQ(value(RegistryStore(file), "K", "x").data, "abcd");
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
    put(file, damaged);
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
    EXPECT_EQ(bytes(aside), damaged);

    // The file now holds what could be read, and reads clean.
    RegistryStore again(file);
    EXPECT_EQ(value(again, "Software\\Scrunch", "Brightness").type, REG_DWORD);
    EXPECT_TRUE(again.problem().isEmpty());
    EXPECT_TRUE(again.keptAsidePath().isEmpty());

    // No header at all: still read, still kept aside under a new name.
    put(file, "[HKEY_CURRENT_USER\\X]\n\"v\"=dword:1\n");
    EXPECT_EQ(value(store, "X", "v").type, REG_DWORD);
    EXPECT_TRUE(store.problem().contains("no registry header"));
    EXPECT_NE(store.keptAsidePath(), aside);
    EXPECT_TRUE(QFile::exists(aside) && QFile::exists(store.keptAsidePath()));

    // Only blank lines: an empty registry, nothing kept aside.
    put(file, "\n  \n");
    RegistryStore blank(file);
    EXPECT_EQ(blank.createKey(HKEY_CURRENT_USER, "a"), ERROR_SUCCESS);
    EXPECT_TRUE(blank.problem().isEmpty());
    EXPECT_TRUE(blank.keptAsidePath().isEmpty());
}

TEST_F(RegistryStoreTest, UnreadableOrUnwritableFileChangesNothing) {
    // A directory where the file should be cannot be read (even by root):
    // the store refuses everything and leaves it alone.
    const QString folder = dir.filePath("folder.reg");
    QDir().mkpath(folder + "/inside");
    RegistryStore blocked(folder);
    EXPECT_EQ(blocked.keyExists(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(blocked.createKey(HKEY_CURRENT_USER, "a"), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(blocked.problem().isEmpty());
    EXPECT_TRUE(QFileInfo(folder + "/inside").isDir());

    // Beneath a regular file no folder can be made: the change is not kept.
    put(dir.filePath("plain"), "x");
    RegistryStore unwritable(dir.filePath("plain/registry.reg"));
    EXPECT_NE(unwritable.createKey(HKEY_CURRENT_USER, "a"), ERROR_SUCCESS);
    EXPECT_EQ(unwritable.keyExists(HKEY_CURRENT_USER, "a"), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(unwritable.problem().contains("could not be written"));
}

// A save the system refuses (a file size limit here) leaves the file byte for
// byte and the change out of memory, and is told once. A small file is the
// one a buffered write lost.
TEST_F(RegistryStoreTest, AFailedSaveIsNotKeptAndIsToldOnce) {
    RegistryStore(file).createKey(HKEY_CURRENT_USER, "Software");
    const QByteArray old = bytes(file);
    QDataStream report(testsupport::inChild([&] {
        QByteArray out;
        QDataStream report(&out, QIODevice::WriteOnly);
        RegistryStore store(file);
        QStringList told;
        store.setProblemHandler([&told](const QString& text) { told << text; });
        testsupport::limitFileSize(8);
        report << store.setValue(HKEY_CURRENT_USER, "Software", "New", REG_SZ, stringData("x"))
               << store.createKey(HKEY_CURRENT_USER, "Other") << told
               << value(store, "Software", "New").type << bytes(file);
        return out;
    }));
    qint32 setStatus = 0, createStatus = 0;
    QStringList told;
    quint32 newType = 0;
    QByteArray after;
    report >> setStatus >> createStatus >> told >> newType >> after;
    EXPECT_EQ(after, old);
    EXPECT_EQ(setStatus, ERROR_WRITE_FAULT);
    EXPECT_EQ(createStatus, ERROR_WRITE_FAULT);
    ASSERT_EQ(told.size(), 1) << told.join('\n').toStdString();
    EXPECT_TRUE(told[0].contains("larger than this system allows")) << told[0].toStdString();
    EXPECT_EQ(newType, 0xdeadu) << "a change not on disk is not kept";
}

} // namespace

#include "support/registry/read_write_easy_reg.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reg;

namespace {

const QString kKey = QStringLiteral("Software\\Microsoft\\Scrunch");

class EasyRegTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(store.createKey(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
        ASSERT_TRUE(easy.OpenRegistry(HKEY_CURRENT_USER, kKey));
    }
    void TearDown() override { cReadWriteEasyReg::setMessageBoxHandler(nullptr); }
    void set(const QString& name, quint32 type, const QByteArray& data) {
        ASSERT_EQ(store.setValue(HKEY_CURRENT_USER, kKey, name, type, data), ERROR_SUCCESS);
    }
    RegistryValue stored(const QString& name) {
        RegistryValue v;
        v.type = 0xdead;
        store.queryValue(HKEY_CURRENT_USER, kKey, name, &v);
        return v;
    }

    QTemporaryDir dir;
    QString file = dir.filePath("registry.reg");
    RegistryStore store{file};
    cReadWriteEasyReg easy{store};
};

TEST_F(EasyRegTest, GetValueTextForEveryType) {
    set("Dword", REG_DWORD, QByteArray("\x32\0\0\0", 4));
    set("Binary", REG_BINARY, QByteArray("\x0a\xff", 2));
    set("EmptyBinary", REG_BINARY, {});
    set("Text", REG_SZ, stringData("abc"));
    set("EmptyText", REG_SZ, {}); // not even a terminator
    set("Unterminated", REG_SZ, QByteArray("a\0b\0", 4));
    set("Expand", REG_EXPAND_SZ, stringData("%HOME%\\x"));
    set("Multi", REG_MULTI_SZ, stringData(QString("a") + QChar(0) + QChar(0) + "b" + QChar(0)));
    set("EmptyMulti", REG_MULTI_SZ, stringData(""));
    set("NoMulti", REG_MULTI_SZ, {});

    EXPECT_EQ(easy.GetValue("Dword"), QVariant(QStringLiteral("32 00 00 00 ")));
    EXPECT_EQ(easy.GetValue("DWORD", true), QVariant(QByteArray("\x32\0\0\0", 4)));
    EXPECT_EQ(easy.GetValue("binary"), QVariant(QStringLiteral("0A FF ")));
    EXPECT_EQ(easy.GetValue("Binary", true), QVariant(QByteArray("\x0a\xff", 2)));
    EXPECT_EQ(easy.GetValue("EmptyBinary"), QVariant(QString("")));
    EXPECT_EQ(easy.GetValue("Text"), QVariant(QStringLiteral("abc")));
    EXPECT_EQ(easy.GetValue("EmptyText"), QVariant(QString("")));
    EXPECT_EQ(easy.GetValue("Unterminated"), QVariant(QStringLiteral("ab")));
    EXPECT_EQ(easy.GetValue("Expand"), QVariant(QStringLiteral("%HOME%\\x")));
    EXPECT_EQ(easy.GetValue("Multi"), QVariant(QStringList({"a", "", "b"})));
    EXPECT_EQ(easy.GetValue("EmptyMulti"), QVariant(QStringList()));
    EXPECT_EQ(easy.GetValue("NoMulti"), QVariant(QStringList()));

    // Other types are named, not shown.
    const QPair<quint32, QString> others[] = {
        {REG_LINK, "Not defined value_type=REG_LINK"},
        {REG_QWORD, "value_type=11"},
        {0xffffffffu, "value_type=4294967295"},
    };
    for (const auto& [type, text] : others) {
        set("Other", type, "\1\2");
        EXPECT_EQ(easy.GetValue("other"), QVariant(text));
    }
    // Missing is empty, not a message.
    EXPECT_FALSE(easy.GetValue("Missing").isValid());
    EXPECT_FALSE(easy.GetValue("Missing", true).isValid());
}

TEST_F(EasyRegTest, GetValueReportsFailures) {
    set("Hue", REG_DWORD, QByteArray(4, '\0'));
    // The open key deleted behind the object's back, by another store.
    RegistryStore(file).deleteKey(HKEY_CURRENT_USER, kKey, true);
    EXPECT_EQ(easy.GetValue("Hue"), QVariant(QStringLiteral("RegQueryValueEx Returned : (1018)")));
    EXPECT_FALSE(easy.CreateValue("Hue", 1, REG_DWORD));
    EXPECT_FALSE(easy.CreateDirectory("Video")); // does not bring the key back
    EXPECT_EQ(store.keyExists(HKEY_CURRENT_USER, kKey), ERROR_FILE_NOT_FOUND);

    // The file turned into something that cannot be read.
    ASSERT_EQ(store.createKey(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    ASSERT_TRUE(easy.OpenRegistry(HKEY_CURRENT_USER, kKey));
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    EXPECT_EQ(easy.GetValue("Hue"), QVariant(QStringLiteral("Access Denied")));
    EXPECT_FALSE(easy.OpenRegistry(HKEY_CURRENT_USER, kKey));
}

TEST_F(EasyRegTest, CreateValueWritesEachTypeAsStored) {
    EXPECT_TRUE(easy.CreateValue("Name", "Vantor", REG_SZ));
    EXPECT_EQ(stored("name").data, stringData("Vantor"));
    EXPECT_TRUE(easy.CreateValue("Path", QString::fromUtf8("%APPDATA%\\é"), REG_EXPAND_SZ));
    EXPECT_EQ(stored("Path").type, REG_EXPAND_SZ);
    EXPECT_EQ(easy.GetValue("path"), QVariant(QString::fromUtf8("%APPDATA%\\é")));

    // Whole numbers as the decoder settings are written, fractions and text.
    const QPair<QVariant, QByteArray> numbers[] = {
        {3000, QByteArray("\xb8\x0b\0\0", 4)},
        {QString(" 300 "), QByteArray("\x2c\1\0\0", 4)},
        {2.5, QByteArray("\2\0\0\0", 4)},
        {3.5, QByteArray("\4\0\0\0", 4)},
        {QString("-2.5"), QByteArray("\xfe\xff\xff\xff", 4)},
        {-1, QByteArray("\xff\xff\xff\xff", 4)},
        {4294967295LL, QByteArray("\xff\xff\xff\xff", 4)},
        {qint64(-2147483648LL), QByteArray("\0\0\0\x80", 4)},
    };
    for (const auto& [input, bytes] : numbers) {
        SCOPED_TRACE(input.toString().toStdString());
        EXPECT_TRUE(easy.CreateValue("Number", input, REG_DWORD));
        EXPECT_EQ(stored("Number").data, bytes);
    }
    for (const QVariant& bad : {QVariant(4294967296LL), QVariant(-2147483649LL), QVariant("abc"),
                                QVariant(""), QVariant(qInf()), QVariant(), QVariant(1e12)}) {
        SCOPED_TRACE(bad.toString().toStdString());
        EXPECT_FALSE(easy.CreateValue("Number", bad, REG_DWORD));
    }
    EXPECT_EQ(easy.GetValue("Number"), QVariant(QStringLiteral("00 00 00 80 ")));

    const QChar nul(0);
    EXPECT_TRUE(easy.CreateValue("Multi", "x", REG_MULTI_SZ)); // no list: two NULs
    EXPECT_EQ(stored("Multi").data, stringData(QString("x") + nul));
    EXPECT_TRUE(easy.CreateValue("Multi", "x", REG_MULTI_SZ, QStringList({"a", "", "b"})));
    EXPECT_EQ(stored("Multi").data, stringData(QString("x") + nul + "a" + nul + "b" + nul));
    EXPECT_TRUE(easy.CreateValue("Multi", "x", REG_MULTI_SZ,
                                 QVariantList({QVariant(), 7, QString(), "c"})));
    EXPECT_EQ(easy.GetValue("Multi"), QVariant(QStringList({"x", "7", "c"})));
    EXPECT_TRUE(easy.CreateValue("Multi", "x", REG_MULTI_SZ, "single"));
    EXPECT_EQ(easy.GetValue("Multi"), QVariant(QStringList({"x", "single"})));
}

TEST_F(EasyRegTest, UnhandledTypesAreRefusedWithTheMessage) {
    QStringList shown;
    cReadWriteEasyReg::setMessageBoxHandler([&](const QString& text) { shown.append(text); });
    for (qint64 type : {0LL, 3LL, 5LL, 6LL, 8LL, 11LL, -1LL, 0x100000004LL}) {
        SCOPED_TRACE(type);
        EXPECT_FALSE(easy.CreateValue("Band 0", 15, type));
    }
    EXPECT_EQ(shown, QStringList(8, "Unable To process that Type of data."));
    EXPECT_EQ(easy.lastMessage(), "Unable To process that Type of data.");
    EXPECT_FALSE(easy.GetValue("Band 0").isValid());
}

TEST_F(EasyRegTest, AnObjectNeverOpenedTouchesNothing) {
    const QString untouched = dir.filePath("untouched.reg");
    RegistryStore other(untouched);
    cReadWriteEasyReg closed(other);
    EXPECT_FALSE(closed.GetValue("x").isValid());
    EXPECT_FALSE(closed.CreateValue("x", 1, REG_DWORD));
    EXPECT_FALSE(closed.CreateValue("x", 1, REG_BINARY)); // closed: no message either
    EXPECT_TRUE(closed.lastMessage().isEmpty());
    EXPECT_FALSE(closed.CreateDirectory("x"));
    EXPECT_FALSE(closed.DeleteValue("x"));
    EXPECT_FALSE(closed.DeleteDirectory("x"));
    EXPECT_TRUE(closed.GetAllSubDirectories().isEmpty());
    EXPECT_TRUE(closed.GetAllValues().isEmpty());
    EXPECT_FALSE(closed.OneBackOnKey());
    EXPECT_FALSE(closed.CloseRegistry());
    EXPECT_FALSE(QFile::exists(untouched));

    // A failed open closes the key held before, and shows what was asked for.
    set("Brightness", REG_DWORD, QByteArray(4, '\1'));
    EXPECT_FALSE(easy.OpenRegistry(HKEY_CURRENT_USER, "Software\\DivXNetworks\\DivX4Windows"));
    EXPECT_EQ(easy.SubDirectory(), "Software\\DivXNetworks\\DivX4Windows");
    EXPECT_FALSE(easy.isOpen());
    EXPECT_FALSE(easy.GetValue("Brightness").isValid());
    EXPECT_FALSE(easy.OpenRegistry(0, kKey));
    EXPECT_FALSE(easy.OpenRegistry(0x12345, kKey));
}

TEST_F(EasyRegTest, SubkeysEnumerationAndGoingBack) {
    EXPECT_TRUE(easy.CreateDirectory("WMAudio"));
    EXPECT_TRUE(easy.CreateDirectory("video\\Deeper"));
    EXPECT_TRUE(easy.CreateDirectory("Video")); // exists: opened, not doubled
    EXPECT_EQ(easy.GetAllSubDirectories(), QStringList({"video", "WMAudio"}));
    EXPECT_TRUE(easy.CreateValue("z", 1, REG_DWORD));
    EXPECT_TRUE(easy.CreateValue("", "default", REG_SZ));
    EXPECT_TRUE(easy.CreateValue("a", 2, REG_DWORD));
    EXPECT_EQ(easy.GetAllValues(), QStringList({"z", "", "a"}));
    EXPECT_TRUE(easy.DeleteValue("Z"));
    EXPECT_FALSE(easy.DeleteValue("z"));

    EXPECT_FALSE(easy.DeleteDirectory("Video")); // it has a subkey
    EXPECT_FALSE(easy.DeleteDirectory(""));      // never the open key itself
    EXPECT_FALSE(easy.DeleteDirectory("\\"));
    EXPECT_TRUE(easy.DeleteDirectory("VIDEO\\deeper"));
    EXPECT_TRUE(easy.DeleteDirectory("Video"));
    EXPECT_EQ(easy.GetAllSubDirectories(), QStringList({"WMAudio"}));

    ASSERT_TRUE(easy.OpenRegistry(HKEY_CURRENT_USER, "Software\\Microsoft\\Scrunch\\"));
    EXPECT_TRUE(easy.OneBackOnKey());
    EXPECT_EQ(easy.SubDirectory(), "Software\\Microsoft");
    EXPECT_EQ(easy.GetAllSubDirectories(), QStringList({"Scrunch"}));
    EXPECT_TRUE(easy.OneBackOnKey());
    EXPECT_TRUE(easy.OneBackOnKey()); // from right below the root: the root
    EXPECT_EQ(easy.SubDirectory(), "");
    EXPECT_EQ(easy.GetAllSubDirectories(), QStringList({"Software"}));
    EXPECT_EQ(easy.RegistryRootKey(), quint32(HKEY_CURRENT_USER));
}

TEST(EasyRegSort, SortsListsAndLeavesTheRestAlone) {
    using C = cReadWriteEasyReg;
    EXPECT_EQ(C::SortArrayAscending(QStringList({"b", "B", "a", "", "b"})),
              QVariant(QStringList({"", "B", "a", "b", "b"})));
    EXPECT_EQ(C::SortArrayAscending(QVariantList({"10", 9.5, "9", 10, -1})),
              QVariant(QVariantList({-1, 9.5, 10, "10", "9"})));
    EXPECT_EQ(C::SortArrayAscending(QVariant(42)), QVariant(42));
    EXPECT_EQ(C::SortArrayAscending(QVariant()), QVariant());
}

} // namespace

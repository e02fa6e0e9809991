#pragma once
// The per-user registry: keys under the standard roots, typed values, kept in
// one registry-export text file that is rewritten atomically after every
// change. Key paths and value names ignore letter case, as on Windows.
//
// Every operation returns a Windows error code (reg::ERROR_*), so the code
// written against the registry API keeps its meaning. The file is the truth:
// each call first re-reads it when another store (or another process) has
// replaced it, and a change that cannot be written is not kept in memory.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

namespace reg {

enum Root : quint32 {
    HKEY_CLASSES_ROOT = 0x80000000u,
    HKEY_CURRENT_USER = 0x80000001u,
    HKEY_LOCAL_MACHINE = 0x80000002u,
    HKEY_USERS = 0x80000003u,
    HKEY_CURRENT_CONFIG = 0x80000005u,
};

enum Type : quint32 {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_DWORD_BIG_ENDIAN = 5,
    REG_LINK = 6,
    REG_MULTI_SZ = 7,
    REG_RESOURCE_LIST = 8,
    REG_FULL_RESOURCE_DESCRIPTOR = 9,
    REG_RESOURCE_REQUIREMENTS_LIST = 10,
    REG_QWORD = 11,
};

enum Status : qint32 {
    ERROR_SUCCESS = 0,
    ERROR_FILE_NOT_FOUND = 2,     // key or value missing
    ERROR_ACCESS_DENIED = 5,      // file unreadable or unwritable, key with subkeys, a root
    ERROR_INVALID_HANDLE = 6,     // not one of the roots above
    ERROR_WRITE_FAULT = 29,       // the file could not be written for another reason
    ERROR_INVALID_PARAMETER = 87, // a name, depth or size beyond the limits below
    ERROR_KEY_DELETED = 1018,     // an open key was deleted meanwhile (cReadWriteEasyReg)
};

// Limits as on Windows, so that no input can make the tree or a value absurd.
constexpr int kMaxKeyNameLength = 255;
constexpr int kMaxValueNameLength = 16383;
constexpr int kMaxKeyDepth = 512;
constexpr qsizetype kMaxValueDataBytes = 1024 * 1024;

// "HKEY_CURRENT_USER" and friends; empty for an unknown root.
QString rootName(quint32 root);
// The root named by its full name or its short form ("HKCU"), any letter
// case; 0 when unknown.
quint32 rootFromName(QStringView name);

// Text as a string value stores it: UTF-16LE with one terminating NUL.
QByteArray stringData(const QString& text);
// The UTF-16LE code units of stored data as they are, NULs included; an odd
// last byte is ignored.
QString stringFromData(const QByteArray& data);

} // namespace reg

struct RegistryKeyNode; // the tree, private to the store

struct RegistryValue {
    QString name; // as first written; "" is the key's default value
    quint32 type = reg::REG_NONE;
    QByteArray data;
};

// One change for RegistryStore::apply(), as a registry-export file expresses
// it.
struct RegistryChange {
    enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = CreateKey;
    quint32 root = 0;
    QString keyPath;
    QString valueName;
    quint32 type = reg::REG_NONE;
    QByteArray data;
    int sourceLine = 0; // where it came from, for reports; 0 when not from a file
};

class RegistryStore {
  public:
    // The file is read at the first call, so a problem handler set right
    // after construction hears about a damaged file.
    RegistryStore();                                 // the user's file (defaultFilePath())
    explicit RegistryStore(const QString& filePath); // for tests and tools
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // <generic config dir>/OrvaneSoft/registry.reg
    static QString defaultFilePath();
    // The store the player shares, on the user's file, made on first use.
    static RegistryStore& user();

    QString filePath() const;

    // Key paths are below `root`, parts separated by backslashes; empty parts
    // (leading, trailing or doubled backslashes) are ignored, "" is the root.
    qint32 keyExists(quint32 root, const QString& path) const;
    // Creates any missing parents too; an existing key is left as it is.
    qint32 createKey(quint32 root, const QString& path);
    // Without `withSubKeys` a key that has subkeys is refused, as RegDeleteKey
    // does.
    qint32 deleteKey(quint32 root, const QString& path, bool withSubKeys);
    // Subkeys in alphabetical order, values in the order they were created.
    qint32 subKeyNames(quint32 root, const QString& path, QStringList* names) const;
    qint32 valueNames(quint32 root, const QString& path, QStringList* names) const;

    qint32 queryValue(quint32 root, const QString& path, const QString& name,
                      RegistryValue* value) const;
    // The key must exist. A value keeps the spelling of its first write.
    qint32 setValue(quint32 root, const QString& path, const QString& name, quint32 type,
                    const QByteArray& data);
    qint32 deleteValue(quint32 root, const QString& path, const QString& name);

    // Applies the changes in order and writes the file once. A change the
    // registry refuses is left out and listed in `refused` (index into
    // `changes`, status); the others are kept. Deleting what does not exist is
    // no failure. Returns the write's status: on failure nothing is kept.
    struct ApplyResult {
        qint32 status = reg::ERROR_SUCCESS;
        int valuesSet = 0;
        QList<QPair<int, qint32>> refused;
    };
    ApplyResult apply(const QList<RegistryChange>& changes);

    // The last problem with the file (damaged, unreadable, not writable), in
    // words the caller can show; empty when there is none.
    QString problem() const;
    void clearProblem();
    // Called with a problem as it happens: a damaged file each time one is
    // kept aside, any other problem with the file once a session.
    void setProblemHandler(std::function<void(const QString&)> handler);
    // Where a damaged file was moved to; empty when none was.
    QString keptAsidePath() const;

    // The file text the store writes for its current content.
    QByteArray exportText() const;

  private:
    struct FileStamp {
        bool exists = false;
        qint64 device = 0, inode = 0, size = 0, mtimeNs = 0, ctimeNs = 0;
        bool operator==(const FileStamp&) const = default;
    };
    using Tree = std::array<std::unique_ptr<RegistryKeyNode>, 5>; // one per root

    void refresh() const;
    void load() const;
    qint32 change(const std::function<qint32(Tree&)>& edit);
    static void applyChanges(Tree& tree, const QList<RegistryChange>& changes, ApplyResult* result);
    qint32 save(const QByteArray& text) const;
    // `once`: only the file's first problem this session reaches the handler.
    void report(const QString& text, bool once = true) const;
    static FileStamp stampOf(const QString& path);

    QString path_;
    // Loading is a cache refresh, so it happens inside const reads.
    mutable Tree tree_;
    mutable FileStamp stamp_;
    mutable QByteArray savedText_; // the file's bytes as last read or written
    mutable bool loaded_ = false;
    mutable bool readable_ = true; // false: the file exists but could not be read
    mutable bool writable_ = true; // false: a damaged file could not be kept aside
    mutable QString problem_;
    mutable QString keptAside_;
    std::function<void(const QString&)> problemHandler_;
};

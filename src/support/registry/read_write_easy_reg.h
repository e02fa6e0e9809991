#pragma once
// One open registry key: typed reads that come back as the text the
// decoder-settings page parses, typed writes, subkeys. Works on the player's
// own registry store. No operation throws: failures come back as false, an
// empty QVariant or one of the texts GetValue documents.
#include "support/registry/registry_store.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class cReadWriteEasyReg {
  public:
    cReadWriteEasyReg(); // on the user's registry (RegistryStore::user())
    explicit cReadWriteEasyReg(RegistryStore& store);
    ~cReadWriteEasyReg();
    cReadWriteEasyReg(const cReadWriteEasyReg&) = delete;
    cReadWriteEasyReg& operator=(const cReadWriteEasyReg&) = delete;

    // Opens the existing key SbDr below the root RtHKey (reg::HKEY_*), closing
    // the key held before. A root of 0 or a missing key leaves the object
    // closed and returns false.
    bool OpenRegistry(quint32 RtHKey, const QString& SbDr);
    // False when no key was open.
    bool CloseRegistry();
    // Creates, or finds, the subkey path sNewDirName below the open key.
    bool CreateDirectory(const QString& sNewDirName);

    // The value VarName of the open key (letter case ignored; "" is the
    // default value):
    //  - missing value, or no key open: an empty QVariant;
    //  - REG_SZ, REG_EXPAND_SZ: the text up to its terminating NUL (no
    //    expansion of environment references);
    //  - REG_BINARY, REG_DWORD: each byte as two upper-case hex digits and a
    //    space ("32 00 00 00 " for the number 50), or with ReturnBinStr the raw
    //    bytes as a QByteArray;
    //  - REG_MULTI_SZ: a QStringList;
    //  - other types: "Not defined value_type=REG_NONE" (and REG_LINK,
    //    REG_RESOURCE_LIST, REG_FULL_RESOURCE_DESCRIPTOR,
    //    REG_RESOURCE_REQUIREMENTS_LIST), else "value_type=" and the number;
    //  - failures: "Access Denied", or "RegQueryValueEx Returned : (n)" with
    //    the error code n (1018 when the open key was deleted meanwhile).
    QVariant GetValue(const QString& VarName, bool ReturnBinStr = false) const;

    // Writes sValueName as REG_SZ or REG_EXPAND_SZ (vWriteThis as text),
    // REG_DWORD (vWriteThis as a whole number, -2147483648 to 4294967295,
    // halves rounded to even) or REG_MULTI_SZ (vWriteThis, then each non-empty
    // item of Multi_SZ: a list or one value). Other types are refused with the
    // message "Unable To process that Type of data.". False when nothing was
    // written.
    bool CreateValue(const QString& sValueName, const QVariant& vWriteThis, qint64 ldValueDataType,
                     const QVariant& Multi_SZ = QVariant());

    // Subkey names in alphabetical order, value names in creation order.
    QStringList GetAllSubDirectories() const;
    QStringList GetAllValues() const;
    // Deletes the subkey sKeyName when it has no subkeys of its own.
    bool DeleteDirectory(const QString& sKeyName);
    bool DeleteValue(const QString& sValueName);
    // Reopens at the parent of SubDirectory(); from a key right below the
    // root, at the root itself.
    bool OneBackOnKey();
    // A QStringList or QVariantList sorted ascending (numbers before texts,
    // texts by character codes, equal items keep their order); anything else
    // is returned unchanged.
    static QVariant SortArrayAscending(const QVariant& ValueList);

    // What the last OpenRegistry asked for, even when it failed; 0 and "" at
    // first.
    quint32 RegistryRootKey() const { return rootKey_; }
    QString SubDirectory() const { return subDirectory_; }
    bool isOpen() const { return open_; }

    // The text of the last message box this object showed.
    QString lastMessage() const { return lastMessage_; }
    // Shows message boxes; the player sets it once at start-up. Without one
    // the messages are only kept in lastMessage().
    static void setMessageBoxHandler(std::function<void(const QString&)> handler);

  private:
    QString pathBelow(const QString& name) const;
    void messageBox(const QString& text);

    RegistryStore& store_;
    quint32 rootKey_ = 0;
    QString subDirectory_;
    // The open key: what a handle would hold.
    bool open_ = false;
    quint32 openRoot_ = 0;
    QString openPath_;
    QString lastMessage_;
};

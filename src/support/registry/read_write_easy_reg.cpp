#include "read_write_easy_reg.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

std::function<void(const QString&)>& messageBoxHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// The 32 bits a REG_DWORD stores for `v`, or nothing when `v` is no number
// or does not fit. Negative numbers are stored as two's complement, as a
// 32-bit signed integer would be; fractions round half to even.
std::optional<quint32> dwordOf(const QVariant& v) {
    constexpr qint64 kMin = -2147483648LL;
    constexpr qint64 kMax = 4294967295LL;
    double number = 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        number = v.toDouble();
    } else if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) {
        const QString text = v.toString().trimmed();
        bool ok = false;
        const qint64 whole = text.toLongLong(&ok);
        if (ok) {
            if (whole < kMin || whole > kMax)
                return std::nullopt;
            return quint32(whole);
        }
        number = text.toDouble(&ok);
        if (!ok)
            return std::nullopt;
    } else if (v.typeId() == QMetaType::ULongLong) {
        const qulonglong whole = v.toULongLong();
        if (whole > qulonglong(kMax))
            return std::nullopt;
        return quint32(whole);
    } else if (isNumber(v)) {
        const qint64 whole = v.toLongLong();
        if (whole < kMin || whole > kMax)
            return std::nullopt;
        return quint32(whole);
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(number))
        return std::nullopt;
    number = std::nearbyint(number); // the default rounding mode: half to even
    if (number < double(kMin) || number > double(kMax))
        return std::nullopt;
    return quint32(qint64(number));
}

QString hexText(const QByteArray& data) {
    QString text;
    text.reserve(data.size() * 3);
    for (char byte : data)
        text += QString::asprintf("%02X ", uchar(byte));
    return text;
}

} // namespace

cReadWriteEasyReg::cReadWriteEasyReg() : cReadWriteEasyReg(RegistryStore::user()) {}

cReadWriteEasyReg::cReadWriteEasyReg(RegistryStore& store) : store_(store) {}

cReadWriteEasyReg::~cReadWriteEasyReg() {
    CloseRegistry();
}

void cReadWriteEasyReg::setMessageBoxHandler(std::function<void(const QString&)> handler) {
    messageBoxHandler() = std::move(handler);
}

void cReadWriteEasyReg::messageBox(const QString& text) {
    lastMessage_ = text;
    if (messageBoxHandler())
        messageBoxHandler()(text);
}

QString cReadWriteEasyReg::pathBelow(const QString& name) const {
    return openPath_ + u'\\' + name;
}

bool cReadWriteEasyReg::OpenRegistry(quint32 RtHKey, const QString& SbDr) {
    if (RtHKey == 0) {
        open_ = false;
        return false;
    }
    rootKey_ = RtHKey;
    subDirectory_ = SbDr;
    // A failed open leaves the object closed rather than holding the key it
    // had before under a path it no longer names.
    open_ = false;
    if (store_.keyExists(RtHKey, SbDr) != reg::ERROR_SUCCESS)
        return false;
    openRoot_ = RtHKey;
    openPath_ = SbDr;
    open_ = true;
    return true;
}

bool cReadWriteEasyReg::CloseRegistry() {
    if (!open_)
        return false;
    open_ = false;
    return true;
}

bool cReadWriteEasyReg::CreateDirectory(const QString& sNewDirName) {
    // A key deleted while open cannot get subkeys; creating the path would
    // bring the deleted key back.
    if (!open_ || store_.keyExists(openRoot_, openPath_) != reg::ERROR_SUCCESS)
        return false;
    return store_.createKey(openRoot_, pathBelow(sNewDirName)) == reg::ERROR_SUCCESS;
}

QVariant cReadWriteEasyReg::GetValue(const QString& VarName, bool ReturnBinStr) const {
    if (!open_)
        return {};
    qint32 status = store_.keyExists(openRoot_, openPath_);
    if (status == reg::ERROR_FILE_NOT_FOUND)
        status = reg::ERROR_KEY_DELETED;
    RegistryValue value;
    if (status == reg::ERROR_SUCCESS)
        status = store_.queryValue(openRoot_, openPath_, VarName, &value);
    if (status == reg::ERROR_FILE_NOT_FOUND)
        return {};
    if (status == reg::ERROR_ACCESS_DENIED)
        return QStringLiteral("Access Denied");
    if (status != reg::ERROR_SUCCESS)
        return QStringLiteral("RegQueryValueEx Returned : (%1)").arg(status);

    switch (value.type) {
    case reg::REG_SZ:
    case reg::REG_EXPAND_SZ: {
        // Up to the terminator; an empty value (no terminator at all) reads
        // as empty text.
        QString text = reg::stringFromData(value.data);
        const qsizetype nul = text.indexOf(QChar(0));
        if (nul >= 0)
            text.truncate(nul);
        return text;
    }
    case reg::REG_BINARY:
    case reg::REG_DWORD:
        if (ReturnBinStr)
            return value.data;
        return hexText(value.data);
    case reg::REG_MULTI_SZ: {
        // The strings between NULs; the final NUL pair ends the list, so
        // "a\0b\0\0" is {a, b} and an empty value is an empty list.
        QStringList items = reg::stringFromData(value.data).split(QChar(0));
        while (!items.isEmpty() && items.last().isEmpty())
            items.removeLast();
        return items;
    }
    case reg::REG_NONE:
        return QStringLiteral("Not defined value_type=REG_NONE");
    case reg::REG_LINK:
        return QStringLiteral("Not defined value_type=REG_LINK");
    case reg::REG_RESOURCE_LIST:
        return QStringLiteral("Not defined value_type=REG_RESOURCE_LIST");
    case reg::REG_FULL_RESOURCE_DESCRIPTOR:
        return QStringLiteral("Not defined value_type=REG_FULL_RESOURCE_DESCRIPTOR");
    case reg::REG_RESOURCE_REQUIREMENTS_LIST:
        return QStringLiteral("Not defined value_type=REG_RESOURCE_REQUIREMENTS_LIST");
    default:
        return QStringLiteral("value_type=%1").arg(value.type);
    }
}

bool cReadWriteEasyReg::CreateValue(const QString& sValueName, const QVariant& vWriteThis,
                                    qint64 ldValueDataType, const QVariant& Multi_SZ) {
    if (!open_)
        return false;
    QByteArray data;
    switch (ldValueDataType) {
    case reg::REG_SZ:
    case reg::REG_EXPAND_SZ:
        data = reg::stringData(vWriteThis.toString());
        break;
    case reg::REG_DWORD: {
        // Text that is no number, or a number beyond 32 bits, writes nothing.
        const std::optional<quint32> number = dwordOf(vWriteThis);
        if (!number)
            return false;
        data.resize(4);
        for (int i = 0; i < 4; ++i)
            data[i] = char((*number >> (8 * i)) & 0xff);
        break;
    }
    case reg::REG_MULTI_SZ: {
        QString text = vWriteThis.toString() + QChar(0);
        QVariantList items;
        if (Multi_SZ.typeId() == QMetaType::QStringList) {
            for (const QString& item : Multi_SZ.toStringList())
                items.append(item);
        } else if (Multi_SZ.typeId() == QMetaType::QVariantList) {
            items = Multi_SZ.toList();
        } else if (Multi_SZ.isValid()) {
            items.append(Multi_SZ);
        }
        for (const QVariant& item : items) {
            const QString itemText = item.isNull() ? QString() : item.toString();
            if (!itemText.isEmpty())
                text += itemText + QChar(0);
        }
        data = reg::stringData(text); // adds the closing NUL
        break;
    }
    default:
        messageBox(QStringLiteral("Unable To process that Type of data."));
        return false;
    }
    return store_.setValue(openRoot_, openPath_, sValueName, quint32(ldValueDataType), data) ==
           reg::ERROR_SUCCESS;
}

QStringList cReadWriteEasyReg::GetAllSubDirectories() const {
    QStringList names;
    if (open_)
        store_.subKeyNames(openRoot_, openPath_, &names);
    return names;
}

QStringList cReadWriteEasyReg::GetAllValues() const {
    QStringList names;
    if (open_)
        store_.valueNames(openRoot_, openPath_, &names);
    return names;
}

bool cReadWriteEasyReg::DeleteDirectory(const QString& sKeyName) {
    // An empty name would mean the open key itself.
    if (!open_ || sKeyName.split(u'\\', Qt::SkipEmptyParts).isEmpty())
        return false;
    return store_.deleteKey(openRoot_, pathBelow(sKeyName), false) == reg::ERROR_SUCCESS;
}

bool cReadWriteEasyReg::DeleteValue(const QString& sValueName) {
    if (!open_)
        return false;
    return store_.deleteValue(openRoot_, openPath_, sValueName) == reg::ERROR_SUCCESS;
}

bool cReadWriteEasyReg::OneBackOnKey() {
    if (!open_)
        return false;
    // Trailing backslashes name the same key, so they do not count as a level.
    QString path = subDirectory_;
    while (path.endsWith(u'\\'))
        path.chop(1);
    const qsizetype cut = path.lastIndexOf(u'\\');
    path = cut < 0 ? QString() : path.left(cut);
    const quint32 root = rootKey_;
    CloseRegistry();
    return OpenRegistry(root, path);
}

QVariant cReadWriteEasyReg::SortArrayAscending(const QVariant& ValueList) {
    if (ValueList.typeId() == QMetaType::QStringList) {
        QStringList items = ValueList.toStringList();
        std::stable_sort(items.begin(), items.end());
        return items;
    }
    if (ValueList.typeId() == QMetaType::QVariantList) {
        QVariantList items = ValueList.toList();
        std::stable_sort(items.begin(), items.end(), [](const QVariant& a, const QVariant& b) {
            const bool aNumber = isNumber(a);
            const bool bNumber = isNumber(b);
            if (aNumber != bNumber)
                return aNumber;
            if (aNumber)
                return a.toDouble() < b.toDouble();
            return a.toString() < b.toString();
        });
        return items;
    }
    return ValueList;
}

#include "registry_store.h"

#include "support/files/whole_file.h"
#include "support/registry/registry_export.h"
#include "support/registry/registry_import.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <cerrno>
#include <map>
#include <sys/stat.h>

namespace reg {

namespace {

struct RootInfo {
    quint32 root;
    const char* name;
    const char* shortName;
};

// Also the order of the roots in the file.
constexpr RootInfo kRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
    {HKEY_USERS, "HKEY_USERS", "HKU"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG", "HKCC"},
};

} // namespace

QString rootName(quint32 root) {
    for (const RootInfo& info : kRoots) {
        if (info.root == root)
            return QString::fromLatin1(info.name);
    }
    return {};
}

quint32 rootFromName(QStringView name) {
    for (const RootInfo& info : kRoots) {
        if (name.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String(info.shortName), Qt::CaseInsensitive) == 0)
            return info.root;
    }
    return 0;
}

QByteArray stringData(const QString& text) {
    QByteArray data;
    data.reserve((text.size() + 1) * 2);
    for (QChar ch : text) {
        data.append(char(ch.unicode() & 0xff));
        data.append(char(ch.unicode() >> 8));
    }
    data.append(2, '\0');
    return data;
}

QString stringFromData(const QByteArray& data) {
    QString text;
    text.reserve(data.size() / 2);
    for (qsizetype i = 0; i + 1 < data.size(); i += 2)
        text.append(QChar(char16_t(uchar(data[i]) | (uchar(data[i + 1]) << 8))));
    return text;
}

} // namespace reg

namespace {

using Node = RegistryKeyNode;
using Tree = std::array<std::unique_ptr<Node>, 5>;

// Files larger than this are not a registry this player wrote.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

QString folded(const QString& name) {
    return name.toCaseFolded();
}

int rootIndex(quint32 root) {
    for (int i = 0; i < int(std::size(reg::kRoots)); ++i) {
        if (reg::kRoots[i].root == root)
            return i;
    }
    return -1;
}

// Names that can be written to the file and read back unchanged.
bool validKeyName(const QString& name) {
    return name.size() <= reg::kMaxKeyNameLength && name.isValidUtf16() &&
           !name.contains(QChar(0)) && !name.contains(u'\n') && !name.contains(u'\r');
}

bool validValueName(const QString& name) {
    return name.size() <= reg::kMaxValueNameLength && name.isValidUtf16() &&
           !name.contains(QChar(0));
}

qint32 splitPath(const QString& path, QStringList* parts) {
    *parts = path.split(u'\\', Qt::SkipEmptyParts);
    if (parts->size() > reg::kMaxKeyDepth)
        return reg::ERROR_INVALID_PARAMETER;
    for (const QString& part : *parts) {
        if (!validKeyName(part))
            return reg::ERROR_INVALID_PARAMETER;
    }
    return reg::ERROR_SUCCESS;
}

Tree emptyTree() {
    Tree tree;
    for (std::size_t i = 0; i < tree.size(); ++i) {
        tree[i] = std::make_unique<Node>();
        tree[i]->name = QString::fromLatin1(reg::kRoots[i].name);
    }
    return tree;
}

std::unique_ptr<Node> cloneNode(const Node& node) {
    auto copy = std::make_unique<Node>();
    copy->name = node.name;
    copy->values = node.values;
    copy->nextOrder = node.nextOrder;
    for (const auto& [key, child] : node.children)
        copy->children.emplace(key, cloneNode(*child));
    return copy;
}

Tree cloneTree(const Tree& tree) {
    Tree copy;
    for (std::size_t i = 0; i < tree.size(); ++i)
        copy[i] = cloneNode(*tree[i]);
    return copy;
}

Node* findKey(const Tree& tree, quint32 root, const QString& path, qint32* status) {
    const int index = rootIndex(root);
    if (index < 0) {
        *status = reg::ERROR_INVALID_HANDLE;
        return nullptr;
    }
    Node* node = tree[index].get();
    const QStringList parts = path.split(u'\\', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const auto it = node->children.find(folded(part));
        if (it == node->children.end()) {
            *status = reg::ERROR_FILE_NOT_FOUND;
            return nullptr;
        }
        node = it->second.get();
    }
    *status = reg::ERROR_SUCCESS;
    return node;
}

qint32 createKeyIn(Tree& tree, quint32 root, const QString& path) {
    const int index = rootIndex(root);
    if (index < 0)
        return reg::ERROR_INVALID_HANDLE;
    QStringList parts;
    if (const qint32 status = splitPath(path, &parts))
        return status;
    Node* node = tree[index].get();
    for (const QString& part : parts) {
        auto& child = node->children[folded(part)];
        if (!child) {
            child = std::make_unique<Node>();
            child->name = part;
        }
        node = child.get();
    }
    return reg::ERROR_SUCCESS;
}

qint32 deleteKeyIn(Tree& tree, quint32 root, const QString& path, bool withSubKeys) {
    if (rootIndex(root) < 0)
        return reg::ERROR_INVALID_HANDLE;
    QStringList parts = path.split(u'\\', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return reg::ERROR_ACCESS_DENIED; // a root cannot be deleted
    const QString last = parts.takeLast();
    qint32 status = reg::ERROR_SUCCESS;
    Node* parent = findKey(tree, root, parts.join(u'\\'), &status);
    if (!parent)
        return status;
    const auto it = parent->children.find(folded(last));
    if (it == parent->children.end())
        return reg::ERROR_FILE_NOT_FOUND;
    if (!withSubKeys && !it->second->children.empty())
        return reg::ERROR_ACCESS_DENIED;
    parent->children.erase(it);
    return reg::ERROR_SUCCESS;
}

qint32 setValueIn(Tree& tree, quint32 root, const QString& path, const QString& name, quint32 type,
                  const QByteArray& data) {
    if (!validValueName(name) || data.size() > reg::kMaxValueDataBytes)
        return reg::ERROR_INVALID_PARAMETER;
    qint32 status = reg::ERROR_SUCCESS;
    Node* node = findKey(tree, root, path, &status);
    if (!node)
        return status;
    auto [it, isNew] = node->values.try_emplace(folded(name));
    if (isNew) {
        it->second.value.name = name;
        it->second.order = node->nextOrder++;
    }
    it->second.value.type = type;
    it->second.value.data = data;
    return reg::ERROR_SUCCESS;
}

qint32 deleteValueIn(Tree& tree, quint32 root, const QString& path, const QString& name) {
    qint32 status = reg::ERROR_SUCCESS;
    Node* node = findKey(tree, root, path, &status);
    if (!node)
        return status;
    return node->values.erase(folded(name)) ? reg::ERROR_SUCCESS : reg::ERROR_FILE_NOT_FOUND;
}

} // namespace

RegistryStore::RegistryStore() : RegistryStore(defaultFilePath()) {}

RegistryStore::RegistryStore(const QString& filePath) : path_(filePath) {}

RegistryStore::~RegistryStore() = default;

QString RegistryStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/OrvaneSoft/registry.reg");
}

RegistryStore& RegistryStore::user() {
    static RegistryStore store;
    return store;
}

QString RegistryStore::filePath() const {
    return path_;
}

RegistryStore::FileStamp RegistryStore::stampOf(const QString& path) {
    // The inode is part of the stamp: every save renames a new file into
    // place, so a change is seen even within one clock tick.
    struct stat info {};
    FileStamp stamp;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = qint64(info.st_dev);
    stamp.inode = qint64(info.st_ino);
    stamp.size = qint64(info.st_size);
    stamp.mtimeNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.ctimeNs = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return stamp;
}

void RegistryStore::refresh() const {
    if (!loaded_ || stampOf(path_) != stamp_)
        load();
}

void RegistryStore::report(const QString& text, bool once) const {
    problem_ = text;
    if (problemHandler_ && (!once || firstProblemWith(path_)))
        problemHandler_(text);
}

void RegistryStore::load() const {
    loaded_ = true;
    readable_ = true;
    writable_ = true;
    tree_ = emptyTree();
    savedText_.clear();
    stamp_ = stampOf(path_);
    if (!stamp_.exists)
        return;

    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        // Never replace what we could not read: no writes until it is readable.
        readable_ = false;
        report(QStringLiteral("The registry file %1 cannot be read (%2). Registry values are "
                              "unavailable until it can be read.")
                   .arg(QDir::toNativeSeparators(path_), file.errorString()));
        return;
    }

    QString damage;
    QList<QPair<int, QString>> badLines;
    Tree tree = emptyTree();
    if (file.size() > kMaxFileBytes) {
        damage = QStringLiteral("it is larger than %1 MiB").arg(kMaxFileBytes / (1024 * 1024));
    } else {
        const QByteArray bytes = file.readAll();
        savedText_ = bytes;
        if (file.error() != QFileDevice::NoError) {
            readable_ = false;
            report(QStringLiteral("The registry file %1 cannot be read (%2).")
                       .arg(QDir::toNativeSeparators(path_), file.errorString()));
            return;
        }
        if (bytes.trimmed().isEmpty())
            return; // nothing there, so nothing lost
        const RegistryFileContents contents = parseRegistryFile(bytes);
        for (const RegistrySkippedLine& skipped : contents.skipped)
            badLines.append({skipped.line, skipped.reason});
        ApplyResult applied;
        applyChanges(tree, contents.changes, &applied);
        for (const auto& [index, status] : applied.refused)
            badLines.append({contents.changes[index].sourceLine,
                             QStringLiteral("beyond the registry's limits")});
        if (contents.header == RegistryFileContents::NoHeader)
            damage = QStringLiteral("it has no registry header");
        if (!badLines.isEmpty()) {
            std::sort(badLines.begin(), badLines.end());
            if (!damage.isEmpty())
                damage += QLatin1String(" and ");
            damage += QStringLiteral("%1 line(s) could not be read (the first, line %2: %3)")
                          .arg(badLines.size())
                          .arg(badLines.first().first)
                          .arg(badLines.first().second);
        }
    }
    tree_ = std::move(tree);
    if (damage.isEmpty())
        return;

    // Keep the damaged file for whoever wants to repair it, and carry on with
    // what could be read.
    const QString aside = asidePathFor(path_);
    QString message = QStringLiteral("The registry file %1 is damaged: %2. The values that "
                                     "could be read were kept")
                          .arg(QDir::toNativeSeparators(path_), damage);
    if (QFile::rename(path_, aside)) {
        keptAside_ = aside;
        stamp_ = FileStamp{}; // what is in memory now stands for the missing file
        message += QStringLiteral("; the original file was kept as %1.")
                       .arg(QDir::toNativeSeparators(aside));
        report(message, false);
        save(registryExportText(tree_)); // reports its own failure; the next change tries again
    } else {
        writable_ = false;
        message += QStringLiteral(", but the original file could not be kept aside, so the "
                                  "registry will not be changed until the file is repaired "
                                  "or removed.");
        report(message);
    }
}

qint32 RegistryStore::save(const QByteArray& text) const {
    int error = 0;
    const QString failure = saveWholeFile(path_, text, &error);
    if (failure.isEmpty()) {
        savedText_ = text;
        stamp_ = stampOf(path_);
        return reg::ERROR_SUCCESS;
    }
    report(QStringLiteral("The registry file %1 could not be written: %2. It keeps the values it "
                          "had.")
               .arg(QDir::toNativeSeparators(path_), failure),
           true);
    return error == EACCES || error == EPERM || error == EROFS ? reg::ERROR_ACCESS_DENIED
                                                               : reg::ERROR_WRITE_FAULT;
}

qint32 RegistryStore::change(const std::function<qint32(Tree&)>& edit) {
    // Two players may write the file at once: one change at a time, each
    // starting from what the other left. A lock that cannot be had (a
    // folder that cannot be written) does not stop the change; the save
    // reports the folder.
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    [[maybe_unused]] const bool locked = lock.tryLock(5000);
    refresh();
    if (!readable_ || !writable_)
        return reg::ERROR_ACCESS_DENIED;
    // Edit a copy and keep it only once it is on disk, so memory and file agree.
    Tree copy = cloneTree(tree_);
    if (const qint32 status = edit(copy))
        return status;
    // A change that changes nothing (the same preset imported at every
    // start) leaves the file alone.
    const QByteArray text = registryExportText(copy);
    if (stamp_.exists && text == savedText_)
        return reg::ERROR_SUCCESS;
    if (const qint32 status = save(text))
        return status;
    tree_ = std::move(copy);
    return reg::ERROR_SUCCESS;
}

qint32 RegistryStore::keyExists(quint32 root, const QString& path) const {
    refresh();
    if (!readable_)
        return reg::ERROR_ACCESS_DENIED;
    qint32 status = reg::ERROR_SUCCESS;
    findKey(tree_, root, path, &status);
    return status;
}

qint32 RegistryStore::createKey(quint32 root, const QString& path) {
    // Opening an existing key writes nothing.
    if (keyExists(root, path) == reg::ERROR_SUCCESS)
        return reg::ERROR_SUCCESS;
    return change([&](Tree& tree) { return createKeyIn(tree, root, path); });
}

qint32 RegistryStore::deleteKey(quint32 root, const QString& path, bool withSubKeys) {
    return change([&](Tree& tree) { return deleteKeyIn(tree, root, path, withSubKeys); });
}

qint32 RegistryStore::subKeyNames(quint32 root, const QString& path, QStringList* names) const {
    names->clear();
    refresh();
    if (!readable_)
        return reg::ERROR_ACCESS_DENIED;
    qint32 status = reg::ERROR_SUCCESS;
    const Node* node = findKey(tree_, root, path, &status);
    if (!node)
        return status;
    for (const auto& [key, child] : node->children)
        names->append(child->name);
    return reg::ERROR_SUCCESS;
}

qint32 RegistryStore::valueNames(quint32 root, const QString& path, QStringList* names) const {
    names->clear();
    refresh();
    if (!readable_)
        return reg::ERROR_ACCESS_DENIED;
    qint32 status = reg::ERROR_SUCCESS;
    const Node* node = findKey(tree_, root, path, &status);
    if (!node)
        return status;
    std::vector<const RegistryKeyNode::Entry*> entries;
    for (const auto& [key, entry] : node->values)
        entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(), [](auto* a, auto* b) { return a->order < b->order; });
    for (const auto* entry : entries)
        names->append(entry->value.name);
    return reg::ERROR_SUCCESS;
}

qint32 RegistryStore::queryValue(quint32 root, const QString& path, const QString& name,
                                 RegistryValue* value) const {
    refresh();
    if (!readable_)
        return reg::ERROR_ACCESS_DENIED;
    qint32 status = reg::ERROR_SUCCESS;
    const Node* node = findKey(tree_, root, path, &status);
    if (!node)
        return status;
    const auto it = node->values.find(folded(name));
    if (it == node->values.end())
        return reg::ERROR_FILE_NOT_FOUND;
    *value = it->second.value;
    return reg::ERROR_SUCCESS;
}

qint32 RegistryStore::setValue(quint32 root, const QString& path, const QString& name, quint32 type,
                               const QByteArray& data) {
    return change([&](Tree& tree) { return setValueIn(tree, root, path, name, type, data); });
}

qint32 RegistryStore::deleteValue(quint32 root, const QString& path, const QString& name) {
    return change([&](Tree& tree) { return deleteValueIn(tree, root, path, name); });
}

RegistryStore::ApplyResult RegistryStore::apply(const QList<RegistryChange>& changes) {
    ApplyResult result;
    result.status = change([&](Tree& tree) {
        applyChanges(tree, changes, &result);
        return qint32(reg::ERROR_SUCCESS);
    });
    if (result.status != reg::ERROR_SUCCESS)
        result.valuesSet = 0;
    return result;
}

void RegistryStore::applyChanges(Tree& tree, const QList<RegistryChange>& changes,
                                 ApplyResult* result) {
    for (int i = 0; i < changes.size(); ++i) {
        const RegistryChange& c = changes[i];
        qint32 status = reg::ERROR_SUCCESS;
        switch (c.kind) {
        case RegistryChange::CreateKey:
            status = createKeyIn(tree, c.root, c.keyPath);
            break;
        case RegistryChange::DeleteKey:
            status = deleteKeyIn(tree, c.root, c.keyPath, true);
            break;
        case RegistryChange::SetValue:
            status = setValueIn(tree, c.root, c.keyPath, c.valueName, c.type, c.data);
            if (status == reg::ERROR_SUCCESS)
                ++result->valuesSet;
            break;
        case RegistryChange::DeleteValue:
            status = deleteValueIn(tree, c.root, c.keyPath, c.valueName);
            break;
        }
        // Deleting what is not there is what the file asked for.
        const bool deletion =
            c.kind == RegistryChange::DeleteKey || c.kind == RegistryChange::DeleteValue;
        if (deletion && status == reg::ERROR_FILE_NOT_FOUND)
            status = reg::ERROR_SUCCESS;
        if (status != reg::ERROR_SUCCESS)
            result->refused.append({i, status});
    }
}

QString RegistryStore::problem() const {
    return problem_;
}

void RegistryStore::clearProblem() {
    problem_.clear();
}

void RegistryStore::setProblemHandler(std::function<void(const QString&)> handler) {
    problemHandler_ = std::move(handler);
}

QString RegistryStore::keptAsidePath() const {
    return keptAside_;
}

QByteArray RegistryStore::exportText() const {
    refresh();
    return registryExportText(tree_);
}

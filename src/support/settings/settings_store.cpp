#include "settings_store.h"

#include "support/files/whole_file.h"
#include "support/settings/ini_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>

namespace {

const QString kGroup = QStringLiteral("Vantor");
// A settings file is a few kilobytes; anything far bigger is not ours.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

// "a//b/" names what "a/b" does.
QString normalizedKey(const QString& key) {
    return key.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

} // namespace

SettingsStore::SettingsStore() : SettingsStore(defaultFilePath()) {}

SettingsStore::SettingsStore(const QString& iniPath) : path_(iniPath) {}

QString SettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/OrvaneSoft/Vantor.ini");
}

void SettingsStore::setProblemHandler(std::function<void(const QString&)> handler) {
    problemHandler_ = std::move(handler);
}

void SettingsStore::report(const QString& text, bool once) const {
    problem_ = text;
    if (problemHandler_ && (!once || firstProblemWith(path_)))
        problemHandler_(text);
}

std::optional<IniDocument> SettingsStore::load() const {
    const QFileInfo info(path_);
    if (!info.exists())
        return IniDocument::parse({});
    const QString shown = QDir::toNativeSeparators(path_);
    if (!info.isFile()) {
        report(QStringLiteral("The settings file %1 is not a file. Settings will not be saved "
                              "until it is removed.")
                   .arg(shown));
        return std::nullopt;
    }
    QString why;
    QFile file(path_);
    if (info.size() > kMaxFileBytes) {
        why = QStringLiteral("it is larger than %1 MiB").arg(kMaxFileBytes / (1024 * 1024));
    } else if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
    } else {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return IniDocument::parse(bytes);
        why = file.errorString();
    }
    // Writing over it would leave one key of what may be all the user's
    // settings: it goes aside, whole, for whoever wants it back.
    file.close();
    const QString aside = asidePathFor(path_);
    if (!QFile::rename(path_, aside)) {
        report(QStringLiteral("The settings file %1 cannot be read (%2) and could not be moved "
                              "aside. Settings will not be saved until it is repaired or removed.")
                   .arg(shown, why));
        return std::nullopt;
    }
    keptAside_ = aside;
    // Each file set aside is news, however many came before.
    report(QStringLiteral("The settings file %1 cannot be read (%2). It was kept as %3, and the "
                          "player starts again from its default settings.")
               .arg(shown, why, QDir::toNativeSeparators(aside)),
           false);
    return IniDocument::parse({});
}

QString SettingsStore::read(const QString& key, const QString& defaultValue) const {
    const QString wanted = normalizedKey(key);
    if (wanted.isEmpty())
        return defaultValue;
    IniDocument document = load().value_or(IniDocument::parse({}));
    document.setValues(kGroup, unsaved_);
    return document.value(kGroup, wanted).value_or(defaultValue);
}

void SettingsStore::write(const QString& key, const QString& value) {
    const QString wanted = normalizedKey(key);
    if (wanted.isEmpty())
        return;
    change({{wanted, value}}, false);
}

void SettingsStore::writeAll(const QList<std::pair<QString, QString>>& values) {
    QList<std::pair<QString, QString>> named;
    for (const auto& [key, value] : values)
        if (const QString wanted = normalizedKey(key); !wanted.isEmpty())
            named.append({wanted, value});
    change(named, true);
}

void SettingsStore::change(const QList<std::pair<QString, QString>>& values, bool together) {
    // Two players may save at once: one change at a time, each starting
    // from what the other left. A lock that cannot be had (a folder that
    // cannot be written) does not stop the change; the save says why.
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    [[maybe_unused]] const bool locked = lock.tryLock(5000);

    std::optional<IniDocument> document = load();
    if (document) {
        document->setValues(kGroup, unsaved_);
        document->setValues(kGroup, values, together);
    }
    // Kept until a save takes them, one entry per key.
    for (const auto& change : values) {
        const QString& key = change.first;
        unsaved_.removeIf([&key](const auto& entry) {
            return entry.first.compare(key, Qt::CaseInsensitive) == 0;
        });
        unsaved_.append(change);
    }
    if (!document)
        return;
    const QByteArray text = document->serialize();
    if (QFile file(path_); file.open(QIODevice::ReadOnly) && file.readAll() == text) {
        unsaved_.clear(); // the file already says all of it
        return;
    }
    const QString failure = saveWholeFile(path_, text);
    if (failure.isEmpty()) {
        unsaved_.clear();
        return;
    }
    report(QStringLiteral("Settings could not be saved: %1. The file %2 keeps the settings it "
                          "had; changes made now last until the player closes.")
               .arg(failure, QDir::toNativeSeparators(path_)));
}

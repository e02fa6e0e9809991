#include "settings_store.h"

#include "support/settings/ini_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

IniDocument SettingsStore::load() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return IniDocument::parse({});
    return IniDocument::parse(file.readAll());
}

void SettingsStore::save(const IniDocument& document) {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(document.serialize());
    file.commit();
}

QString SettingsStore::read(const QString& key, const QString& defaultValue) const {
    const QString wanted = normalizedKey(key);
    if (wanted.isEmpty())
        return defaultValue;
    return load().value(kGroup, wanted).value_or(defaultValue);
}

void SettingsStore::write(const QString& key, const QString& value) {
    const QString wanted = normalizedKey(key);
    if (wanted.isEmpty())
        return;
    IniDocument document = load();
    document.setValues(kGroup, {{wanted, value}});
    save(document);
}

void SettingsStore::writeAll(const QList<std::pair<QString, QString>>& values) {
    QList<std::pair<QString, QString>> named;
    for (const auto& [key, value] : values)
        if (const QString wanted = normalizedKey(key); !wanted.isEmpty())
            named.append({wanted, value});
    IniDocument document = load();
    document.setValues(kGroup, named, true);
    save(document);
}

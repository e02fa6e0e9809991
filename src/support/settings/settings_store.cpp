#include "settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace {

// All our values live in one INI section; other sections in the file are left alone.
const QString kGroup = QStringLiteral("Vantor");

// QSettings treats '/' as a separator and drops empty parts ("a//b/" is "a/b"),
// so keys are compared in that same form.
QString normalizedKey(const QString& key) {
    return key.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

} // namespace

SettingsStore::SettingsStore() : SettingsStore(defaultFilePath()) {}

SettingsStore::SettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {
    // Write to a temporary file and rename it over the old one, so a crash
    // mid-write leaves either the old or the new file, never half of one.
    m_settings->setAtomicSyncRequired(true);
}

SettingsStore::~SettingsStore() = default;
SettingsStore::SettingsStore(SettingsStore&&) noexcept = default;
SettingsStore& SettingsStore::operator=(SettingsStore&&) noexcept = default;

QString SettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/OrvaneSoft/Vantor.ini");
}

QString SettingsStore::filePath() const {
    return m_settings->fileName();
}

// The full QSettings key ("Vantor/<spelling>") of the entry matching `key`, or
// an empty string when there is none. If a hand-edited file holds several
// spellings of one key, the first in QSettings' (sorted) order wins, for reads
// and writes alike.
QString SettingsStore::storedKey(const QString& key) const {
    const QString wanted = normalizedKey(key);
    if (wanted.isEmpty())
        return {};
    const QString prefix = kGroup + u'/';
    const QStringList keys = m_settings->allKeys();
    for (const QString& candidate : keys) {
        if (candidate.size() == prefix.size() + wanted.size() && candidate.startsWith(prefix) &&
            QStringView(candidate).sliced(prefix.size()).compare(wanted, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return {};
}

QString SettingsStore::read(const QString& key, const QString& defaultValue) const {
    const QString stored = storedKey(key);
    if (stored.isEmpty())
        return defaultValue;
    const QVariant value = m_settings->value(stored);
    // We only ever write strings, but a hand-edited "a,b" without quotes comes
    // back from QSettings as a list; keep its text rather than lose it.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void SettingsStore::write(const QString& key, const QString& value) {
    const QString wanted = normalizedKey(key);
    if (wanted.isEmpty())
        return;
    QString stored = storedKey(wanted);
    if (stored.isEmpty()) {
        stored = kGroup + u'/' + wanted;
    } else {
        // Collapse any other spellings a hand edit left behind into this one entry.
        const QString prefix = kGroup + u'/';
        const QStringList keys = m_settings->allKeys();
        for (const QString& other : keys) {
            if (other != stored && other.compare(stored, Qt::CaseInsensitive) == 0 &&
                other.startsWith(prefix))
                m_settings->remove(other);
        }
    }
    // Always a QString: QSettings escapes a leading '@' and quotes commas for
    // strings, so the text comes back exactly as written.
    m_settings->setValue(stored, QVariant(value));
    m_settings->sync();
}

#pragma once
// The per-user preference store: text values under case-insensitive key names,
// kept in an INI file that is rewritten atomically after every change.
#include <QString>
#include <memory>

class QSettings;

class SettingsStore {
  public:
    SettingsStore();                                // the user's store (see defaultFilePath())
    explicit SettingsStore(const QString& iniPath); // for tests and tools
    ~SettingsStore();
    SettingsStore(SettingsStore&&) noexcept;
    SettingsStore& operator=(SettingsStore&&) noexcept;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text for `key` (any letter case), or `defaultValue` when the
    // key is absent or the file cannot be read.
    QString read(const QString& key, const QString& defaultValue = {}) const;

    // Stores `value` under the spelling the file already uses for `key`, or
    // under `key` itself when it is new, and flushes to disk. Failures are
    // silent: preferences must never get in the way of playback.
    void write(const QString& key, const QString& value);

    QString filePath() const;

    // <generic config dir>/OrvaneSoft/Vantor.ini
    static QString defaultFilePath();

  private:
    QString storedKey(const QString& key) const;

    std::unique_ptr<QSettings> m_settings;
};

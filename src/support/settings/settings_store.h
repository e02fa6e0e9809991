#pragma once
// The per-user preference store: text values under case-insensitive key names
// in the "Vantor" section of an INI file, rewritten atomically (a new file
// renamed over the old one) after every change, so a kill at any moment
// leaves the old file or the new one, never a mix.
#include <QList>
#include <QString>
#include <utility>

class IniDocument;

class SettingsStore {
  public:
    SettingsStore();                                // the user's store (see defaultFilePath())
    explicit SettingsStore(const QString& iniPath); // for tests and tools

    // The stored text for `key` (any letter case), or `defaultValue` when the
    // key is absent or the file cannot be read.
    QString read(const QString& key, const QString& defaultValue = {}) const;

    // Stores `value` under the spelling the file already uses for `key`, or
    // under `key` itself when it is new, and saves. Failures are silent:
    // preferences must never get in the way of playback.
    void write(const QString& key, const QString& value);
    // Stores every value in one save, the keys side by side in the given
    // order.
    void writeAll(const QList<std::pair<QString, QString>>& values);

    QString filePath() const { return path_; }

    // <generic config dir>/OrvaneSoft/Vantor.ini
    static QString defaultFilePath();

  private:
    IniDocument load() const;
    void save(const IniDocument& document);

    QString path_;
};

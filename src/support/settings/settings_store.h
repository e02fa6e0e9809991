#pragma once
// The per-user preference store: text values under case-insensitive key names
// in the "Vantor" section of an INI file, rewritten atomically (a new file
// renamed over the old one) after every change, so a kill at any moment
// leaves the old file or the new one, never a mix.
//
// Preferences never get in the way of playback: a change that cannot be
// saved (full disk, no permission) leaves the file as it was and is kept for
// the session, and the user hears of it once. A file that cannot be read is
// moved aside, never overwritten.
#include <QList>
#include <QString>
#include <functional>
#include <optional>
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
    // under `key` itself when it is new, and saves.
    void write(const QString& key, const QString& value);
    // Stores every value in one save, the keys side by side in the given
    // order.
    void writeAll(const QList<std::pair<QString, QString>>& values);

    QString filePath() const { return path_; }

    // The last problem with the file, in words the user understands; empty
    // when there is none.
    QString problem() const { return problem_; }
    // Called with a problem the first time the file has one this session
    // (the same file in another store counts too).
    void setProblemHandler(std::function<void(const QString&)> handler);
    // Where an unreadable file was moved to; empty when none was.
    QString keptAsidePath() const { return keptAside_; }

    // <generic config dir>/OrvaneSoft/Vantor.ini
    static QString defaultFilePath();

  private:
    // Empty when the file is there but can be neither read nor moved aside:
    // nothing may be written over it then.
    std::optional<IniDocument> load() const;
    void change(const QList<std::pair<QString, QString>>& values, bool together);
    void report(const QString& text, bool once = true) const;

    QString path_;
    // Changes the file did not take, read back and saved with the next change.
    QList<std::pair<QString, QString>> unsaved_;
    mutable QString problem_;
    mutable QString keptAside_;
    std::function<void(const QString&)> problemHandler_;
};

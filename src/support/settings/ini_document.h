#pragma once
// An INI file as text the player keeps in order: sections of "key=value"
// lines, with comments and unknown lines kept as they stand. Values are
// written as QSettings writes strings (and read as it reads them), so files
// move between the two either way.
#include <QList>
#include <QString>
#include <optional>
#include <utility>

class IniDocument {
  public:
    static IniDocument parse(const QByteArray& text);
    QByteArray serialize() const;

    // The value of `key` in `section`, keys compared without regard to case.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Sets each key in turn, leaving one entry per key (other spellings a
    // hand edit left go). Keys the section holds keep their place and
    // spelling; new ones go to the section's end. With `together` the keys
    // stand side by side in the given order, where the first of them stood.
    void setValues(const QString& section, const QList<std::pair<QString, QString>>& values,
                   bool together = false);

    static QString escapedValue(const QString& value);
    static QString unescapedValue(QStringView text);
    static QString escapedKey(const QString& key);
    static QString unescapedKey(QStringView text);

  private:
    struct Line {
        QString raw;     // as read, for lines that are not entries
        QString section; // the section the line belongs to
        QString key;     // unescaped; empty for other lines
        QString value;
    };
    int findEntry(const QString& section, const QString& key) const;
    int sectionEnd(const QString& section);

    QList<Line> lines_;
};

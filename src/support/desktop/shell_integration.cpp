#include "shell_integration.h"

#include "support/files/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <algorithm>

namespace {

const char kDesktopGroup[] = "[Desktop Entry]";
const char kDefaultsGroup[] = "[Default Applications]";
const char kAddedGroup[] = "[Added Associations]";

QString applicationsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/applications");
}

QString mimeAppsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mimeapps.list");
}

QString desktopEntryPath() {
    return applicationsFolder() + u'/' + playerDesktopId();
}

// The entry a package installed for the player, not the user's own.
QString installedDesktopEntry() {
    const QString own = desktopEntryPath();
    const QStringList found = QStandardPaths::locateAll(
        QStandardPaths::GenericDataLocation, QStringLiteral("applications/") + playerDesktopId());
    for (const QString& path : found) {
        if (path != own)
            return path;
    }
    return {};
}

bool hasControlCharacters(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

// Escapes of a desktop entry's string values (applied after quoting, undone
// before it by readers).
QString escapeValue(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else
            out += c;
    }
    if (out.startsWith(u' '))
        out.replace(0, 1, QStringLiteral("\\s"));
    return out;
}

// A file's lines without their line ends; empty when it does not exist.
bool readLines(const QString& path, QStringList* lines, QString* error) {
    lines->clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
    *lines = text.split(u'\n');
    if (!lines->isEmpty() && lines->last().isEmpty())
        lines->removeLast();
    for (QString& line : *lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return true;
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    const QString failure = saveWholeFile(path, (lines.join(u'\n') + u'\n').toUtf8());
    if (!failure.isEmpty())
        *error = QStringLiteral("%1: %2").arg(path, failure);
    return failure.isEmpty();
}

// Line range [begin, end) of a group's keys; begin is -1 when the group is
// missing.
std::pair<int, int> groupRange(const QStringList& lines, const QString& header) {
    int begin = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (begin < 0) {
            if (line == header)
                begin = i + 1;
        } else if (line.startsWith(u'[')) {
            return {begin, i};
        }
    }
    return {begin, int(lines.size())};
}

QString keyOf(const QString& line) {
    const int eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

QString valueOf(const QString& line) {
    const int eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1).trimmed();
}

// Puts `id` first in the list of desktop IDs for `type` in `header`, keeping
// the others after it as fallbacks; later duplicate lines of the type go.
void putFirst(QStringList& lines, const QString& header, const QString& type, const QString& id) {
    auto [begin, end] = groupRange(lines, header);
    if (begin < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << header;
        begin = end = int(lines.size());
    }
    QStringList ids{id};
    int at = -1;
    for (int i = begin; i < end;) {
        if (keyOf(lines[i]).compare(type, Qt::CaseInsensitive) != 0) {
            ++i;
            continue;
        }
        for (const QString& other : valueOf(lines[i]).split(u';', Qt::SkipEmptyParts)) {
            if (!ids.contains(other.trimmed()))
                ids << other.trimmed();
        }
        if (at < 0) {
            at = i++;
        } else {
            lines.removeAt(i);
            --end;
        }
    }
    const QString line = type + u'=' + ids.join(u';') + u';';
    if (at >= 0) {
        lines[at] = line;
        return;
    }
    // After the group's last key, so blank lines before the next group stay.
    int insertAt = end;
    while (insertAt > begin && lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    lines.insert(insertAt, line);
}

// The media types our existing entry already lists.
QStringList listedTypes(const QStringList& entry) {
    const auto [begin, end] = groupRange(entry, QString::fromLatin1(kDesktopGroup));
    if (begin < 0)
        return {};
    for (int i = begin; i < end; ++i) {
        if (keyOf(entry[i]) == QStringLiteral("MimeType"))
            return valueOf(entry[i]).split(u';', Qt::SkipEmptyParts);
    }
    return {};
}

QStringList desktopEntry(const QString& title, const QString& exec, const QStringList& types) {
    return {QString::fromLatin1(kDesktopGroup),
            QStringLiteral("Type=Application"),
            QStringLiteral("Version=1.4"),
            QStringLiteral("Name=") + escapeValue(title),
            QStringLiteral("GenericName=Movie Player"),
            QStringLiteral("Comment=Play with Vantor"),
            QStringLiteral("Exec=") + exec,
            QStringLiteral("Terminal=false"),
            QStringLiteral("Categories=AudioVideo;Video;Player;"),
            QStringLiteral("MimeType=") + types.join(u';') + u';',
            QStringLiteral("Actions=play;"),
            QString(),
            QStringLiteral("[Desktop Action play]"),
            QStringLiteral("Name=Play with Vantor"),
            QStringLiteral("Exec=") + exec};
}

} // namespace

QString playerDesktopId() {
    return QStringLiteral("vantorplay.desktop");
}

QStringList playerFileExtensions() {
    return {QStringLiteral("avi"), QStringLiteral("mpeg"), QStringLiteral("mpg"),
            QStringLiteral("divx"), QStringLiteral("asf")};
}

QStringList mediaTypesForExtension(const QString& extension) {
    const QString ext = extension.toLower();
    QStringList types;
    if (ext == QStringLiteral("avi") || ext == QStringLiteral("divx"))
        types << QStringLiteral("video/x-msvideo"); // shared-mime-info's name for .divx too
    else if (ext == QStringLiteral("mpeg") || ext == QStringLiteral("mpg"))
        types << QStringLiteral("video/mpeg");
    else if (ext == QStringLiteral("asf"))
        types << QStringLiteral("video/x-ms-asf");
    else
        return types;
    // Desktops look defaults up by the database's name, which may be newer
    // (video/vnd.avi) or canonical (application/vnd.ms-asf).
    const QMimeType known =
        QMimeDatabase().mimeTypeForFile(QStringLiteral("x.") + ext, QMimeDatabase::MatchExtension);
    if (known.isValid() && !known.isDefault() && !types.contains(known.name()))
        types << known.name();
    return types;
}

QString desktopExecValue(const QString& executablePath) {
    // Inside double quotes, ", `, $ and \ take a backslash; a literal % is
    // doubled so it is not read as a field code.
    QString quoted = QStringLiteral("\"");
    for (QChar c : executablePath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return escapeValue(quoted) + QStringLiteral(" %f");
}

namespace {

// The installed entry serves when it lists the types and the user has no
// entry of their own (which would hide it); otherwise the user's entry is
// written, keeping the types it had.
bool ensureDesktopEntry(const QStringList& types, const QString& productTitle,
                        const QString& executablePath, QString* why) {
    QStringList entry;
    const QString installed = installedDesktopEntry();
    if (!installed.isEmpty() && !QFile::exists(desktopEntryPath()) &&
        readLines(installed, &entry, why)) {
        const QStringList listed = listedTypes(entry);
        if (std::all_of(types.begin(), types.end(),
                        [&](const QString& type) { return listed.contains(type); }))
            return true;
    }
    if (!readLines(desktopEntryPath(), &entry, why))
        return false;
    QStringList allTypes = listedTypes(entry);
    for (const QString& type : types) {
        if (!allTypes.contains(type))
            allTypes << type;
    }
    return writeLines(desktopEntryPath(),
                      desktopEntry(productTitle, desktopExecValue(executablePath), allTypes), why);
}

} // namespace

bool AssociateFileType(const QString& extension, const QString& productTitle,
                       const QString& executablePath, QString* error) {
    QString ignored;
    QString& why = error ? *error : ignored;
    const QStringList types = mediaTypesForExtension(extension);
    if (types.isEmpty()) {
        why = QStringLiteral("Unknown file type \"%1\"").arg(extension);
        return false;
    }
    // A relative path would be looked up in PATH, and control characters
    // cannot be carried by a desktop entry line.
    if (!QDir::isAbsolutePath(executablePath) || hasControlCharacters(executablePath)) {
        why = QStringLiteral("Not a usable program path: \"%1\"").arg(executablePath);
        return false;
    }
    if (productTitle.trimmed().isEmpty() || hasControlCharacters(productTitle)) {
        why = QStringLiteral("Not a usable product title: \"%1\"").arg(productTitle);
        return false;
    }

    if (!ensureDesktopEntry(types, productTitle, executablePath, &why))
        return false;

    QStringList mimeApps;
    if (!readLines(mimeAppsPath(), &mimeApps, &why))
        return false;
    for (const QString& type : types) {
        putFirst(mimeApps, QString::fromLatin1(kDefaultsGroup), type, playerDesktopId());
        putFirst(mimeApps, QString::fromLatin1(kAddedGroup), type, playerDesktopId());
    }
    return writeLines(mimeAppsPath(), mimeApps, &why);
}

RegistrationResult RegisterFileTypes(const QString& productTitle, const QString& executablePath) {
    QStringList failures;
    for (const QString& extension : playerFileExtensions()) {
        QString error;
        if (!AssociateFileType(extension, productTitle, executablePath, &error))
            failures << error;
    }
    if (failures.isEmpty())
        return {true, QStringLiteral("Done !")};
    failures.removeDuplicates();
    return {false,
            QStringLiteral("The file types could not be registered:\n") + failures.join(u'\n')};
}

void HideTaskbar() {}

void ShowTaskbar() {}

// vantor_skingen: draws the player's built-in skins, or checks skin folders.
//
//   vantor_skingen OUTDIR           writes OUTDIR/WinDVD and OUTDIR/Daylight
//   vantor_skingen --check DIR...   checks each skin folder (or each skin
//                                   folder inside DIR); exit status 1 on faults
//   vantor_skingen --icons OUTDIR   writes the application icon in each size
#include "skingen.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

int usage() {
    QTextStream err(stderr);
    err << "usage: vantor_skingen OUTDIR\n"
           "       vantor_skingen --check DIR...\n"
           "       vantor_skingen --icons OUTDIR\n";
    return 2;
}

// The folder itself when it holds a description, else its subfolders that do.
QStringList skinFolders(const QString& path) {
    const QDir dir(path);
    auto isSkin = [](const QDir& d) {
        return !d.entryList({QString::fromLatin1(kDescriptionFile)}, QDir::Files).isEmpty();
    };
    if (isSkin(dir))
        return {dir.path()};
    QStringList folders;
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (isSkin(QDir(dir.filePath(sub))))
            folders.append(dir.filePath(sub));
    }
    return folders;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout);

    if (!args.isEmpty() && args.first() == QLatin1String("--check")) {
        args.removeFirst();
        if (args.isEmpty())
            return usage();
        int faults = 0;
        for (const QString& path : args) {
            const QStringList folders = skinFolders(path);
            if (folders.isEmpty()) {
                out << path << "\n  fault: no VSkin.ini here or in its folders\n";
                ++faults;
            }
            for (const QString& folder : folders)
                faults += checkSkinFolder(folder, out);
        }
        return faults == 0 ? 0 : 1;
    }

    if (args.size() == 2 && args.first() == QLatin1String("--icons")) {
        QString error;
        if (!writeIcons(args.last(), &error)) {
            QTextStream(stderr) << "vantor_skingen: " << error << '\n';
            return 1;
        }
        return 0;
    }
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-')))
        return usage();
    for (const SkinFiles& skin : drawBuiltInSkins()) {
        QString error;
        if (!writeSkin(skin, args.first(), &error)) {
            QTextStream(stderr) << "vantor_skingen: " << error << '\n';
            return 1;
        }
        out << QDir(args.first()).filePath(skin.folder) << ": " << skin.bitmaps.size()
            << " bitmaps\n";
    }
    return 0;
}

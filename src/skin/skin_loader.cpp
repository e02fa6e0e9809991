#include "skin/skin_loader.h"

#include "skin/main_bar.h"
#include "skin/picture_store.h"
#include "skin/skin_check.h"
#include "skin/skin_files.h"
#include "skin/skin_window.h"
#include "support/controls/progress_bar.h"
#include "support/settings/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace {
// A skin file's picture; null when the folder has no such file.
QImage skinPicture(const QString& folder, const char16_t* name) {
    const QString file = findSkinFile(folder, QString::fromUtf16(name));
    return file.isEmpty() ? QImage() : QImage(file);
}
} // namespace

SkinLoader::SkinLoader(SkinWindow& window, MainBar& bar, PictureStore& pictures,
                       SettingsStore& settings, Hooks hooks)
    : window_(window), bar_(bar), pictures_(pictures), settings_(settings),
      hooks_(std::move(hooks)) {}

void SkinLoader::load(const QString& folder, const QString& ownSkin) {
    const QString problem =
        skinProblem(readSkinCandidate(folder, window_.elementRects()),
                    QGuiApplication::primaryScreen()->availableGeometry().size());
    if (problem.isEmpty()) {
        apply(folder);
        return;
    }
    if (hooks_.warn)
        hooks_.warn(QStringLiteral("The skin \"%1\" cannot be used: %2. The player's own skin is "
                                   "used instead.")
                        .arg(QFileInfo(folder).fileName(), problem));
    if (hooks_.useInstead && QFileInfo(ownSkin) != QFileInfo(folder))
        hooks_.useInstead(ownSkin);
}

void SkinLoader::apply(const QString& folder) {
    // During start-up the window is not up yet: it is shown once, when the
    // start-up shows it, rather than mapped and unmapped here on the way.
    const bool shown = window_.isVisible();
    QCoreApplication::processEvents();
    window_.hide();
    window_.clearOutline();
    QCoreApplication::processEvents();

    loadSkinPictures(pictures_, folder);
    const int oldWidth = window_.width();
    window_.setBackground(skinPicture(folder, kSkinBaseBitmapName));
    window_.move(window_.x() + (oldWidth - window_.width()) / 2,
                 window_.y()); // a wider skin stays centred
    const QDir dir(folder);
    const QString back = dir.filePath(QString::fromUtf16(kSkinProgressBackName));
    const QString bar = dir.filePath(QString::fromUtf16(kSkinProgressBarName));
    settings_.write(QStringLiteral("PbarBack"), back);
    settings_.write(QStringLiteral("PbarBar"), bar);

    const SkinDescription skin = readSkinDescription(folder);
    if (hooks_.describe)
        hooks_.describe(skin);
    window_.applyGeometry(skin);
    bar_.applyColours(skin);
    window_.setOutline(skinPicture(folder, kSkinBaseBitmapName));
    bar_.setFallbackVisible(window_.background().isNull());
    if (hooks_.afterLoad)
        hooks_.afterLoad();
    bar_.PBar1->setPictureFiles(settings_.read(QStringLiteral("PbarBack")),
                                settings_.read(QStringLiteral("PbarBar")));
    bar_.PBar1->Refresh();
    if (shown)
        window_.show();
}

#include "menus/scenix_menu.h"

#include "menus/hot_spots.h"
#include "menus/menu_file.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <utility>

ScenixMenu::ScenixMenu(MenuHost& host) : host_(host) {}

bool ScenixMenu::LoadMenu(const QString& path) {
    const MenuRead read = readMenuFile(path);
    if (!read.menu) {
        host_.warn(read.problem);
        return false;
    }
    const MenuFile& menu = *read.menu;
    folder_ = QFileInfo(path).absolutePath();
    host_.stopMovie();
    host_.showStill(QString());
    Project += menu.Project;
    Button = menu.Button;
    List1stA = menu.List1stA;
    List1stP = menu.List1stP;
    List2ndA = menu.List2ndA;
    List2ndP = menu.List2ndP;
    MenuFileName = menu.MenuFileName;
    MovieName = menu.MovieName;
    for (const QString& time : menu.chapterTimes)
        host_.addChapter(time);
    select(-1, false);
    highlight_ = -1;
    showBackground();
    if (menu.skippedLines > 0)
        host_.warn(QStringLiteral("%1 lines of %2 are too long to be menu records: skipped.")
                       .arg(menu.skippedLines)
                       .arg(QFileInfo(path).fileName()));
    host_.menuChanged();
    return true;
}

void ScenixMenu::showBackground() {
    const QString background = resolve(MenuFileName);
    const QString kind = MenuFileName.right(3).toUpper();
    if (kind == QLatin1String("AVI")) {
        // Loops: the end-of-movie step restarts it. One that cannot play
        // says why in the title, as any movie does, and the caption waits.
        if (!host_.openMovie(background, true))
            return;
    } else if (!MenuFileName.isEmpty() &&
               (kind == QLatin1String("BMP") || !QImageReader::imageFormat(background).isEmpty())) {
        if (!host_.showStill(background))
            host_.warn(QStringLiteral("The menu picture %1 cannot be shown.")
                           .arg(QFileInfo(background).fileName()));
    }
    if (!MovieName.isEmpty())
        host_.setTitle(MovieName);
}

void ScenixMenu::CleanVMU() {
    Button.clear();
    select(-1, false);
    highlight_ = -1;
    TransitionPending_ = false;
    PendingAction_.clear();
    PendingParam_.clear();
    host_.menuChanged();
}

void ScenixMenu::select(int hotSpot, bool hover) {
    SelectedHotSpot_ = short(hotSpot);
    MenuHover_ = hover;
}

void ScenixMenu::MouseMoveEvent(QPointF point) {
    if (!active())
        return;
    const HitResult hit = hitTest(Button, point);
    const bool moved = hit.highlight != highlight_ || hit.index != SelectedHotSpot_;
    highlight_ = hit.highlight;
    select(hit.index, hit.index >= 0);
    if (moved)
        host_.menuChanged();
}

void ScenixMenu::moveSelection(int dx, int dy) {
    const int next = neighbour(Button, SelectedHotSpot_, dx, dy);
    if (next < 0)
        return;
    highlight_ = next;
    select(next, true);
    host_.menuChanged();
}

void ScenixMenu::DoAction() {
    const int i = SelectedHotSpot_;
    if (i < 0 || !active())
        return;
    // A hot spot the lists have no entry for has empty actions: nothing.
    const QString first = List1stA.value(i);
    PendingAction_ = List2ndA.value(i);
    PendingParam_ = List2ndP.value(i);
    if (first == QLatin1String("Transition")) {
        TransitionPending_ = true;
        host_.openMovie(resolve(List1stP.value(i)), false);
    } else if (first == QLatin1String("None")) {
        TransitionPending_ = false;
        secondAction(PendingAction_, PendingParam_, Qt::CaseSensitive);
    }
}

bool ScenixMenu::runPendingTransition() {
    if (!std::exchange(TransitionPending_, false))
        return false;
    // Copies: the action may load another menu, which clears them.
    const QString action = PendingAction_;
    const QString param = PendingParam_;
    secondAction(action, param, Qt::CaseInsensitive);
    return true;
}

void ScenixMenu::secondAction(const QString& action, const QString& param, Qt::CaseSensitivity cs) {
    auto is = [&](const char* word) { return action.compare(QLatin1String(word), cs) == 0; };
    if (is("Play")) {
        host_.openMovie(resolve(param), false);
        CleanVMU();
    } else if (is("Goto")) {
        LoadMenu(resolve(param));
    } else if (is("Language")) {
        // "Stream 01:film.avi": the stream's name, a separator, the movie.
        host_.openBivx(resolve(param.mid(10)), param.left(9), false);
        CleanVMU(); // the movie replaces the menu's background
    } else if (is("GotoChapter")) {
        // "00:12:30:film.avi": the time, a separator, the movie.
        if (host_.openMovie(resolve(param.mid(9)), false))
            host_.jump(param.left(8));
        CleanVMU();
    } else if (is("Sub")) {
        host_.setSubtitleFile(resolve(param));
        host_.showOsd(QStringLiteral("Subtitles loaded..."));
    }
}

// Relative to the menu's folder; "\" separators of menus made on Windows
// work too.
QString ScenixMenu::resolve(QString name) const {
    name = name.trimmed();
    if (name.isEmpty())
        return name;
    if (name.contains(u'\\') && !QFileInfo::exists(QDir(folder_).filePath(name)))
        name.replace(u'\\', u'/');
    return QFileInfo(name).isRelative() ? QDir(folder_).filePath(name) : name;
}

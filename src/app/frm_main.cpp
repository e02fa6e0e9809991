#include "app/frm_main.h"

#include "app/bar_actions.h"
#include "app/exit_deadline.h"
#include "app/graph_menus.h"
#include "app/key_dispatcher.h"
#include "app/main_commands.h"
#include "app/menu_view.h"
#include "app/playlist_view.h"
#include "app/program_data.h"
#include "app/sound_output_keeper.h"
#include "config/config_procedures.h"
#include "config/display_modes.h"
#include "config/frm_config.h"
#include "config/speaker_modes.h"
#include "config/xrandr_backend.h"
#include "inspector/frm_filter_prop.h"
#include "inspector/inspector_window.h"
#include "player/frm_jump_to.h"
#include "player/time_text.h"
#include "playlist/playlist_file.h"
#include "skin/main_bar.h"
#include "skin/skin_image.h"
#include "skin/text_scroller.h"
#include "subtitles/subtitle_display.h"
#include "support/controls/progress_bar.h"
#include "support/controls/twips.h"
#include "support/desktop/file_dialogs.h"
#include "support/desktop/shell_integration.h"
#include "support/media/media_detector.h"
#include "support/registry/registry_store.h"
#include "support/trace/first_frame_trace.h"
#include "video/overlay_detection.h"
#include "video/pic_video_window.h"
#include "video/renderer_window.h"
#include "video/video_display.h"
#include "video/video_mouse.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <climits>

frmMain::frmMain(QString commandLine, QWidget* parent)
    : SkinWindow(parent), inspector(playback), transport(playback, chapters, List1, playbackView_),
      opener(playback, inspector, chapters, transport, openerView_),
      volume(playback.mutedFlag(), settings_), playbackView_(playback, volume, *this),
      openerView_(playbackView_), commandLine_(std::move(commandLine)) {
    setWindowTitle(QStringLiteral("Vantor Meridian"));
    installRendererWindows(); // every video renderer paints into a window of ours
    setAcceptDrops(true);
    opener.chapterFolder = QDir::currentPath();
    chapters.warn = [this](const QString& problem) { warn(problem); };
    // Before the first read: an unreadable file is moved aside then.
    settings_.setProblemHandler([this](const QString& problem) { warn(problem); });
    buildWindow();
}

frmMain::~frmMain() {
    // No reading of a movie outlives the window that asked for it.
    MediaDetector::waitForReadings();
    RegistryStore::user().setProblemHandler(nullptr); // the store outlives the window
    releaseReferences();
}

void frmMain::buildWindow() {
    resize(twipsToPixels(kMainWidthTwips), twipsToPixels(kMainHeightTwips));

    // The inspector is a window of its own beside the skinned bar.
    inspectorWindow_ = std::make_unique<InspectorWindow>(
        inspector,
        InspectorWindow::Player{transport, opener, List1, [this] { queue().PlayMyList(); }}, *this);
    auto* toggle = new QShortcut(QKeySequence(QStringLiteral("Ctrl+I")), this);
    connect(toggle, &QShortcut::activated, this, [this] { showInspector(!inspectorShown()); });
    auto* jump = new QShortcut(QKeySequence(QStringLiteral("Ctrl+J")), this);
    connect(jump, &QShortcut::activated, this, &frmMain::showJump);

    VideoDisplay::Hooks videoHooks;
    videoHooks.keyColour = [this] { return config_ ? config_->keyColour() : QColor(Qt::black); };
    videoHooks.preset = [this] { return config_ ? config_->DAR.text() : QString(); };
    videoHooks.enterDisplayMode = [this] {
        if (displayModes_)
            displayModes_->enterFullScreen();
    };
    videoHooks.leaveDisplayMode = [this] {
        if (displayModes_)
            displayModes_->leaveFullScreen();
    };
    videoHooks.subtitleGoUp = [this] { subtitles_->window()->GoUp(); };
    videoHooks.subtitleOnTop = [this](bool onTop) { subtitles_->window()->alwaysontop(onTop); };
    videoHooks.configApplying = [this] { return config_ && config_->applying(); };
    video_ = std::make_unique<VideoDisplay>(playback, *this, videoHooks);
    connect(video_->window(), &PicVideoWindow::filesDropped, this,
            [this](const QStringList& paths) { openFiles(paths); });

    tmrKey = new QTimer(this);
    tmrKey->setInterval(1000);
    connect(tmrKey, &QTimer::timeout, this, [this] { video_->pointerTick(tmrKey->interval()); });
    // The still pointer hides only in full screen: windowed, nothing wakes.
    connect(video_.get(), &VideoDisplay::fullScreenChanged, tmrKey,
            [this](bool on) { on ? tmrKey->start() : tmrKey->stop(); });
    barActions_ = new BarActions(*this, bar_);
    OverlayDetection::Hooks overlayHooks;
    overlayHooks.title = [this] { return bar_.vbwScroller1->text(); };
    overlayHooks.setTitle = [this](const QString& title) { setTitle(title); };
    overlayHooks.enabled = [this] { return config_ && config_->autoOverlay(); };
    overlayHooks.setKeyColour = [this](const QColor& colour) {
        if (config_)
            config_->setKeyColour(colour);
    };
    overlay_ = std::make_unique<OverlayDetection>(*video_->window(), overlayHooks);
    buildSubtitles();
    playlist_ = std::make_unique<PlaylistView>(*this, settings_);
    // Before the menu screen: its clicks on hot spots come first.
    videoMouse_ = std::make_unique<VideoMouse>(
        video_->state(), *videoWindowForm(), [this](QPoint at) { graph_->mnu_Player.popup(at); },
        [this] { return subtitles_->window()->dragging(); });
    menus_ = std::make_unique<MenuView>(*this);
    playbackView_.movieEnded = [this] { queue().movieEnded(); };
    playbackView_.shuffleChecked = [this] { return queue().shuffleChecked(); };
    playbackView_.attach(bar_, *video_, *overlay_, transport);
    openerView_.attach(bar_, *video_, *subtitles_);
    buildMenusAndKeys();
    wirePlayback();
}

// What follows the playback's news besides the bar: the chapter selection,
// the subtitles, and the overlay detection's title.
void frmMain::wirePlayback() {
    connect(&playback, &Playback::positionChanged, this, [this] { transport.Timer1_Timer(); });
    connect(&playback, &Playback::seeked, this,
            [this](double seconds) { subtitles_->seeked(seconds); });
    connect(&playback, &Playback::stateChanged, this, [this](PlayStates now) {
        if (now != PlayStopped)
            return;
        subtitles_->clearLines();
        if (filterProp_)
            filterProp_->clearList();
    });
}

void frmMain::buildMenusAndKeys() {
    commands_ = std::make_unique<MainCommands>(*this);
    Graph::Captions captions;
    captions.aspectPresets = [this] { return aspectMenuCaptions_; };
    captions.audioStreams = [this] { return openerView_.audioStreamItems(); };
    captions.audioOutputs = [this] {
        return config_ ? config_->audioOutputNames() : QStringList();
    };
    captions.subtitleTracks = [this] {
        QStringList items;
        for (const MediaStream& track : subtitles_->tracks())
            items << subtitleTrackCaption(int(items.size()) + 1, track);
        return items;
    };
    graph_ = std::make_unique<Graph>(*commands_, captions);
    connect(&graph_->help, &HelpCallBack::help, this,
            [this](const QString&, const QString& help, bool&) { showMenuHelp(help); });
    for (QMenu* menu : {&graph_->MnuOption, &graph_->mnu_Player, &graph_->Mnu_opener})
        connect(menu, &QMenu::aboutToHide, this, [this] { showMenuHelp(QString()); });
    connect(bar_.conf, &SkinImage::clicked, this,
            [this] { Graph::popUpBeside(graph_->MnuOption, *bar_.conf); });
    connect(bar_.ouvrir, &SkinImage::clicked, this,
            [this] { Graph::popUpBeside(graph_->Mnu_opener, *bar_.ouvrir); });
    KeyDispatcher::Windows windows{this, videoWindowForm(),
                                   [this]() -> QWidget* { return subtitles_->window(); }};
    keys_ = std::make_unique<KeyDispatcher>(*commands_, windows);
}

// The help text of the menu entry under the pointer stands in the title
// while the menu is open; the title comes back when it closes.
// A title set meanwhile by something else is newer and stays.
void frmMain::showMenuHelp(const QString& help) {
    const bool helpShown = !titleBeforeHelp_.isNull() && scrollTitle() == helpShown_;
    if (help.isEmpty()) {
        const QString before = std::exchange(titleBeforeHelp_, QString());
        if (helpShown)
            setTitle(before);
        return;
    }
    if (!helpShown)
        titleBeforeHelp_ = scrollTitle();
    helpShown_ = help;
    setTitle(help);
}

void frmMain::showFilterProperties() {
    if (!filterProp_)
        return;
    filterProp_->show();
    filterProp_->raise();
}

void frmMain::showJump() {
    (new frmJumpTo([this](const QString& time) { Jump(time); }, this))->show();
}

void frmMain::buildSubtitles() {
    SubtitleDisplay::Hooks hooks;
    hooks.elapsedSeconds = [this] { return qint64(playback.position()); };
    hooks.delaySeconds = [this] { return config_ ? config_->subtitleDelaySeconds() : 0; };
    hooks.extraSeconds = [this] { return config_ ? config_->subtitleExtraSeconds() : 0; };
    hooks.characterSet = [this] { return config_ ? config_->characterSetNumber() : 0; };
    hooks.keyColour = [this] { return config_ ? config_->keyColour() : QColor(Qt::black); };
    hooks.yPos = [this] { return config_ ? config_->subtitleYPosText() : QStringLiteral("70"); };
    // A height the user dragged to is kept at once, not only on the dialog's Ok.
    hooks.setYPos = [this](const QString& text) {
        if (config_)
            config_->setSubtitleYPosText(text);
        settings_.write(QStringLiteral("SubYpos"), text);
    };
    hooks.warn = [this](const QString& text) { warn(text); };
    hooks.inform = [this](const QString& text) { warn(text, QMessageBox::Information); };
    subtitles_ = std::make_unique<SubtitleDisplay>(playback, *video_->window(), hooks);
    subtitles_->window()->focusChanged = [this](bool focused) { video_->setVideoFocused(focused); };
    subtitles_->window()->pictureArea = [this] { return video_->visiblePicture(); };
}

bool frmMain::OpenSub(const QString& file, int beginDelay, int endDelay) {
    return subtitles_->OpenSub(file, beginDelay, endDelay);
}

PlayQueue& frmMain::queue() {
    return playlist_->queue();
}

void frmMain::ShowPlayLst() {
    playlist_->ShowPlayLst();
}

void frmMain::ShuffMode() {
    queue().ShuffMode();
}

void frmMain::RepMode() {
    queue().RepMode();
}

void frmMain::openFiles(const QStringList& paths) {
    if (paths.size() == 1 && paths[0].endsWith(QLatin1String(".vmu"), Qt::CaseInsensitive)) {
        LoadMenu(paths[0]);
        return;
    }
    menus_->leave();
    playlist_->openDropped(paths);
}

bool frmMain::LoadMenu(const QString& path) {
    return menus_->menu().LoadMenu(path);
}

void frmMain::LoadMenuDlg() {
    menus_->LoadMenuDlg();
}

void frmMain::OpenSubDlg() {
    subtitles_->OpenSubDlg();
}

void frmMain::UnloadSub() {
    subtitles_->UnloadSub();
}

void frmMain::showInspector(bool show) {
    inspectorWindow_->show(show);
}

int frmMain::levelBarHeight() const {
    return barActions_->levelBarTwips();
}

bool frmMain::inspectorShown() const {
    return inspectorWindow_->shown();
}

void frmMain::Form_Load() {
    inspector.RefreshRegFilters();
    firstframe::mark("filters listed");

    const QRect screen = QApplication::primaryScreen()->geometry();
    const int width = twipsToPixels(kMainWidthTwips);
    resize(width, twipsToPixels(kMainHeightTwips));
    move(screen.x() + screen.width() / 2 - width / 2, screen.y() + int(screen.height() * 0.6));

    settings_.write(QStringLiteral("Path"), QCoreApplication::applicationDirPath());
    // A damaged registry file is kept aside and the user is told once,
    // without holding up the start: the telling waits until the windows show.
    RegistryStore::user().setProblemHandler(nullptr);
    // First start: the decoders' default settings go into the registry once.
    prepareFirstStart();
    if (firstStartPending())
        runFirstStartImport(programDataFolder());
    filterProp_ = new frmFilterProp(inspector, this);
    loadConfiguration();
    firstframe::mark("configuration loaded");

    // Again: the dialog's load ran it before the speaker mode was known.
    SkinLoad();
    firstframe::mark("skin loaded");

    // From here on a failing step is skipped.
    volume.restore(settings_.read(QStringLiteral("Volume"), QStringLiteral("0")));
    // The meter and the graph follow; full level stays full.
    volume.redraw();

    show();
    firstframe::mark("main window shown");
    if (!RegistryStore::user().problem().isEmpty())
        warn(RegistryStore::user().problem());
    RegistryStore::user().setProblemHandler([this](const QString& problem) { warn(problem); });

    request_ = parseCommandLine(commandLine_);
    if (request_.movie.isEmpty())
        return;
    const QString movie = existingFileName(request_.movie);
    if (isPlaylistFile(movie) || movie.endsWith(QLatin1String(".vmu"), Qt::CaseInsensitive))
        openFiles({movie});
    else if (request_.hasStream)
        opener.OpenBivx(movie, request_.audioPin, false);
    else
        OpenaMovie(movie, false);
    if (request_.hasSubtitle && config_)
        OpenSub(existingFileName(request_.subtitleFile), config_->subtitleDelaySeconds(),
                config_->subtitleExtraSeconds());
    if (request_.fullScreen)
        commands_->run(Command::FullScreen);
}

void frmMain::FullScrMode() {
    video_->FullScrMode();
}

void frmMain::Mnu_DAR_Click(int item) {
    if (config_ && item >= 1 && item <= config_->DAR.count())
        config_->DAR.setListIndex(item - 1);
    video_->fullScreenAtPreset();
}

void frmMain::Mnu_DAROr_Click() {
    if (config_)
        config_->DAR.setListIndex(-1);
    video_->fullScreenAtPreset();
}

// A warning that blocks nothing: above the player's windows, the bar and
// the video window go on working while it is open.
void frmMain::warn(const QString& text, QMessageBox::Icon icon) {
    auto* box =
        new QMessageBox(icon, QStringLiteral("Vantor Meridian"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
    box->raise();
    box->activateWindow();
}

bool frmMain::OpenaMovie(const QString& movieFileName, bool loop) {
    return opener.OpenaMovie(movieFileName, loop);
}

void frmMain::cmdSource_Click() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open"),
        openStartFolder(settings_.read(QStringLiteral("LastFile"), QString())), mediaFileFilter());
    // Cancelling opens nothing: the last file is only where the dialog starts.
    if (file.isEmpty())
        return;
    subtitles_->setSubFileName(QString());
    QCoreApplication::processEvents();
    menus_->leave();
    if (isPlaylistFile(file))
        openFiles({file}); // the list becomes the queue
    else
        OpenaMovie(file, false);
    settings_.write(QStringLiteral("LastFile"), file);
}

// ---------------------------------------------------------------------------
// What the windows show

QString frmMain::positionText() const {
    return playbackView_.positionText();
}

QString frmMain::durationText() const {
    return playbackView_.durationText();
}

QString frmMain::videoSizeText() const {
    return playbackView_.videoSizeText();
}

PicVideoWindow* frmMain::videoWindowForm() const {
    return video_->window();
}

QString frmMain::osdText() const {
    return video_->osdText();
}

// ---------------------------------------------------------------------------
// The configuration dialog

void frmMain::loadConfiguration() {
    ConfigHooks hooks;
    hooks.reopenMovie = [this] { reopenMovie(); };
    hooks.startOverlayDetection = [this] { overlay_->start(); };
    hooks.minimizeMainWindow = [this] { showMinimized(); };
    hooks.refreshRegisteredFilters = [this] { inspector.RefreshRegFilters(); };
    hooks.skinLoad = [this] { SkinLoad(); };
    hooks.setSpeakerPicture = [this](int slot) {
        MainBar::showPicture(bar_.SoundType, pictures.picture(slot));
    };
    hooks.setTitleScrolling = [this](bool on) { bar_.vbwScroller2->setScrolling(on); };
    hooks.warn = [this](const QString& text) { warn(text); };
    hooks.registerFileTypes = [this] {
        const auto result = RegisterFileTypes(QStringLiteral("Vantor Meridian"),
                                              QCoreApplication::applicationFilePath());
        QMessageBox::information(config_, QStringLiteral("Vantor Meridian"), result.message);
    };
    hooks.applyDAR = [this] { video_->ApplyDAR(); };
    hooks.critical = [this](const QString& text) { warn(text, QMessageBox::Critical); };
    hooks.applySubtitleFont = [this](const QFont& font, const QColor& colour) {
        subtitles_->setFont(font, colour);
        subtitles_->window()->setKeyColour(config_ ? config_->keyColour() : QColor(Qt::black));
        subtitles_->reload(); // a new delay
    };
    hooks.applyCharacterSet = [this](int) { subtitles_->reload(); };
    hooks.setAspectMenuCaptions = [this](const QStringList& captions) {
        aspectMenuCaptions_ = captions;
    };
    config_ = new frmConfig(hooks, &playback, this);
    config_->darFile = QDir(QFileInfo(SettingsStore::defaultFilePath()).path())
                           .filePath(QStringLiteral("DAR.ini"));
    config_->darDefaultsFile = QDir(programDataFolder()).filePath(QStringLiteral("DAR.ini"));
    config_->setWindowFlag(Qt::Window);
    openerView_.config = config_;
    config_->programFolder = programDataFolder();
    display_ = std::make_unique<XRandRBackend>();
    DisplayModeSwitch::Hooks displayHooks;
    displayHooks.pauseMovie = [this] {
        const bool playing = playback.PlayState() == PlayRunning;
        transport.pause_Click();
        return playing;
    };
    displayHooks.playMovie = [this] { transport.play_Click(); };
    displayHooks.showMessage = [this](const DisplayMessage& message) {
        const auto icon =
            message.icon == MessageIcon::Question ? QMessageBox::Question : QMessageBox::Critical;
        QMessageBox(icon, QStringLiteral("Vantor Meridian"), message.text, QMessageBox::Ok, this)
            .exec();
    };
    displayHooks.note = [this](const DisplayMessage& message) {
        setTitle(QStringLiteral("Full screen keeps the display's mode: ") + message.text);
    };
    displayModes_ = std::make_unique<DisplayModeSwitch>(*display_, displayHooks);
    const QRect screen = QApplication::primaryScreen()->geometry();
    displayModes_->ScreenWidth = short(screen.width());
    displayModes_->ScreenHeight = short(screen.height());
    config_->bindDisplayModes(*displayModes_);
    config_->Form_Load();
    keepSoundOutput();
}

void frmMain::showConfiguration() {
    if (config_)
        config_->showDialog();
}

// Settings that shape the graph changed: the movie opens again where it was.
void frmMain::reopenMovie() {
    reopenMovieAt(playback.position());
}

// With the audio stream it played.
void frmMain::reopenMovieAt(double seconds) {
    if (!playback.MovieOpen() || playback.CurrentFile().isEmpty())
        return;
    const QString stream = opener.audioStream();
    if (stream != QLatin1String("Stream 01")) {
        transport.stopbt_Click();
        opener.OpenBivx(playback.CurrentFile(), stream, playback.LoopMovie());
    } else {
        OpenaMovie(playback.CurrentFile(), playback.LoopMovie());
    }
    Jump(formatTime(qint64(seconds)));
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    openFiles(droppedPaths(event->mimeData()));
    event->acceptProposedAction();
}

// ---------------------------------------------------------------------------
// Exit

void frmMain::releaseReferences() {
    inspector.release();
}

void frmMain::saveVolume() {
    settings_.write(QStringLiteral("Volume"), QString::number(volume.levelToSave()));
}

void frmMain::ExitMe() {
    if (exiting_)
        return;
    exiting_ = true;
    ExitDeadline::start();
    transport.cmdStop_Click();
    if (displayModes_ && displayModes_->ModeChanged)
        displayModes_->RestoreScrRes();
    SetScreenSaverActive(true);
    releaseReferences();
    saveVolume();
    video_->hide();
    QApplication::closeAllWindows();
    QApplication::quit();
}

void frmMain::Form_Unload() {
    saveVolume();
}

void frmMain::Form_Terminate() {
    saveVolume();
    releaseReferences();
}

void frmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    ExitMe();
}

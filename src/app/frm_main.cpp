#include "app/frm_main.h"

#include "app/program_data.h"
#include "config/display_modes.h"
#include "config/frm_config.h"
#include "config/speaker_modes.h"
#include "config/xrandr_backend.h"
#include "inspector/frm_filter_prop.h"
#include "inspector/frm_select_pin.h"
#include "inspector/inspector_panel.h"
#include "inspector/property_page.h"
#include "player/frm_jump_to.h"
#include "player/time_text.h"
#include "support/mci_probe.h"
#include "support/progress_bar.h"
#include "support/registry_store.h"
#include "support/shell_integration.h"
#include "support/twips.h"
#include "support/video_window.h"
#include "video/osd.h"
#include "video/pic_video_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

namespace {
// The main window's bar, in twips.
constexpr int kMainHeightTwips = 1600;
constexpr int kMainWidthTwips = 6795;
// Gap between the video window and the main window below it.
constexpr int kVideoGapTwips = 200;

// The seek bar's pictures until a skin gives its own.
QImage plainBarPicture(QColor colour) {
    QImage picture(433, 10, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}
} // namespace

frmMain::frmMain(QString commandLine, QWidget* parent)
    : QWidget(parent), inspector(state), transport(state, chapters, List1, *this),
      opener(state, inspector, chapters, transport, *this), commandLine_(std::move(commandLine)) {
    setWindowTitle(QStringLiteral("Vantor Meridian"));
    setAcceptDrops(true);
    opener.chapterFolder = QDir::currentPath();
    buildWindow();
    wireInspector();
}

frmMain::~frmMain() {
    releaseReferences();
    delete osd_;
    delete picVideoWindow_;
}

void frmMain::buildWindow() {
    auto* bar = new QWidget(this);
    bar->setFixedHeight(twipsToPixels(kMainHeightTwips));
    auto* barLayout = new QVBoxLayout(bar);
    title_ = label(bar, "vbwScroller1", QStringLiteral("Vantor Meridian  (Ctrl+I: inspector)"));
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    tempslbl = label(bar, "tempslbl", formatTime(0));
    tempec = label(bar, "tempec", formatTime(0));
    vsize = label(bar, "vsize", QString());
    status_ = label(bar, "status", QString());
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* times = new QHBoxLayout;
    times->addWidget(tempslbl);
    times->addWidget(new QLabel(QStringLiteral("/"), bar));
    times->addWidget(tempec);
    times->addStretch();
    times->addWidget(vsize);
    PBar1 = new cpvProgressBar(bar);
    PBar1->setObjectName(QStringLiteral("PBar1"));
    PBar1->setMax(1);
    PBar1->setBarPictureBack(plainBarPicture(QColor(40, 40, 48)));
    PBar1->setBarPicture(plainBarPicture(QColor(60, 120, 215)));
    PBar1->Refresh();
    connect(PBar1, &cpvProgressBar::Click, this, [this] {
        tmrKey->stop(); // the display must not move the bar meanwhile
        transport.PBar1_Click();
        tmrKey->start();
    });
    connect(PBar1, &cpvProgressBar::ValueChanged, this,
            [this] { tempslbl->setText(formatTime(PBar1->Value())); });
    barLayout->addWidget(title_);
    barLayout->addWidget(PBar1);
    barLayout->addLayout(times);
    buildTransportBar(barLayout);
    barLayout->addWidget(status_);

    panel_ = new InspectorPanel(inspector, List1, this);
    panel_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(panel_);
    auto* toggle = new QShortcut(QKeySequence(QStringLiteral("Ctrl+I")), this);
    connect(toggle, &QShortcut::activated, this, [this] { showInspector(!inspectorShown()); });
    auto* jump = new QShortcut(QKeySequence(QStringLiteral("Ctrl+J")), this);
    connect(jump, &QShortcut::activated, this,
            [this] { (new frmJumpTo([this](const QString& time) { Jump(time); }, this))->show(); });

    picVideoWindow_ = new PicVideoWindow;
    connect(picVideoWindow_, &PicVideoWindow::filesDropped, this,
            [this](const QStringList& paths) { opener.openDropped(paths, false, List1); });
    osd_ = new Osd;

    tmrKey = new QTimer(this);
    tmrKey->setInterval(1000);
    connect(tmrKey, &QTimer::timeout, this, &frmMain::showPosition);
    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { transport.Timer1_Timer(); });
    TimerOver = new QTimer(this);
    TimerOver->setInterval(1000);
    connect(TimerOver, &QTimer::timeout, this, &frmMain::TimerOver_Timer);
}

void frmMain::buildTransportBar(QBoxLayout* layout) {
    auto* buttons = new QHBoxLayout;
    auto add = [&](const char* name, const QString& caption, auto slot) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setFocusPolicy(Qt::NoFocus);
        // The bar has a fixed width; the buttons share it.
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
        return button;
    };
    add("ouvrir", QStringLiteral("Open"), [this] { cmdSource_Click(); });
    add("options", QStringLiteral("Setup"), [this] { showConfiguration(); });
    QPushButton* prev = add("prev", QStringLiteral("|<"), [this] { transport.prev_Click(); });
    add("play", QStringLiteral("Play"), [this] { transport.play_Click(); });
    add("pause", QStringLiteral("Pause"), [this] { transport.pause_Click(); });
    add("stopbt", QStringLiteral("Stop"), [this] { transport.stopbt_Click(); });
    QPushButton* next = add("nextbt", QStringLiteral(">|"), [this] { transport.nextbt_Click(); });
    // Shift on Next or Previous moves by chapter as the button goes down.
    prev->installEventFilter(this);
    next->installEventFilter(this);
    layout->addLayout(buttons);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->modifiers() == Qt::ShiftModifier) {
            if (watched->objectName() == QLatin1String("nextbt"))
                transport.ChapNext();
            else if (watched->objectName() == QLatin1String("prev"))
                transport.ChapPrev();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::wireInspector() {
    inspector.chooseSourceFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(),
                                            QStringLiteral("All Files (*)"));
    };
    inspector.runSelectPin = [this](PinSelector& selector) {
        frmSelectPin dialog(selector, this);
        return dialog.exec() == QDialog::Accepted;
    };
    inspector.showPropertyPages = [this](const FilterInfo& filter) {
        (new PropertyPage(filter, this))->show();
    };
    connect(panel_->cmdRun, &QPushButton::clicked, this, [this] {
        watchGraph();
        transport.cmdRun_Click();
    });
    connect(panel_->cmdPause, &QPushButton::clicked, this, [this] { transport.cmdPause_Click(); });
    connect(panel_->cmdStop, &QPushButton::clicked, this, [this] { transport.cmdStop_Click(); });
    connect(panel_->cmdNewGraph, &QPushButton::clicked, this, [this] {
        opener.CleanUp();
        inspector.NewGraph();
        state.PlayState = PlayStopped;
    });
    connect(panel_->Command1, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(),
                                         QStringLiteral("Media files (*.mpg *.avi *.mov)"));
        if (!file.isEmpty())
            List1.addItem(file);
    });
    connect(panel_->Command2, &QPushButton::clicked, this,
            [this] { List1.removeItem(List1.listIndex()); });
    connect(panel_->Command3, &QPushButton::clicked, this, [this] {
        if (List1.listIndex() >= 0)
            OpenaMovie(List1.text(), false);
    });
    connect(panel_->Command4, &QPushButton::clicked, this, [this] {
        if (filterProp_)
            filterProp_->show();
    });
}

void frmMain::showInspector(bool show) {
    panel_->setVisible(show);
    layout()->activate(); // the window's minimum size follows the panel now
    const QSize bar(twipsToPixels(kMainWidthTwips), twipsToPixels(kMainHeightTwips));
    if (!show) {
        resize(bar);
        return;
    }
    resize(bar.expandedTo(sizeHint()));
    // Keep the grown window on the screen.
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    const QRect frame = frameGeometry();
    if (frame.bottom() > screen.bottom())
        move(x(), std::max(screen.top(), y() - (frame.bottom() - screen.bottom())));
}

bool frmMain::inspectorShown() const {
    return panel_->isVisible();
}

void frmMain::Form_Load() {
    inspector.RefreshRegFilters();
    state.LastPointerX = state.LastPointerY = 0;

    const QRect screen = QApplication::primaryScreen()->geometry();
    const int width = twipsToPixels(kMainWidthTwips);
    resize(width, twipsToPixels(kMainHeightTwips));
    move(screen.x() + screen.width() / 2 - width / 2, screen.y() + int(screen.height() * 0.6));
    state.ScreenWidth = short(screen.width());
    state.ScreenHeight = short(screen.height());

    settings_.write(QStringLiteral("Path"), QCoreApplication::applicationDirPath());
    // A damaged registry file is kept aside and the user is told, without
    // holding up the start.
    auto tell = [this](const QString& problem) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Vantor Meridian"),
                                    problem, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    RegistryStore::user().setProblemHandler(tell);
    if (!RegistryStore::user().problem().isEmpty())
        tell(RegistryStore::user().problem());
    // First start: the decoders' default settings go into the registry once.
    prepareFirstStart();
    if (firstStartPending())
        runFirstStartImport(programDataFolder());
    filterProp_ = new frmFilterProp(inspector, this);
    loadConfiguration();

    // From here on a failing step is skipped.
    bool ok = false;
    const int volume = settings_.read(QStringLiteral("Volume"), QStringLiteral("0")).toInt(&ok);
    if (ok)
        Slider2.setValue(volume);
    if (state.BasicAudio)
        state.BasicAudio->setVolume(Slider2.value());
    Timer1->start();
    tmrKey->start();

    show();

    request_ = parseCommandLine(commandLine_);
    if (request_.movie.isEmpty())
        return;
    const QString movie = existingFileName(request_.movie);
    if (request_.hasStream)
        opener.OpenBivx(movie, request_.audioPin, false);
    else
        OpenaMovie(movie, false);
    watchGraph();
}

bool frmMain::OpenaMovie(const QString& movieFileName, bool loop) {
    const bool opened = opener.OpenaMovie(movieFileName, loop);
    watchGraph();
    return opened;
}

void frmMain::cmdSource_Click() {
    const QString last =
        settings_.read(QStringLiteral("LastFile"), QCoreApplication::applicationDirPath());
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open"), last,
        QStringLiteral("Supported Media files (*.mpg *.mpeg *.avi *.divx *.asf *.mp4);;"
                       "All Files (*)"));
    // Cancelling opens nothing: the last file is only where the dialog starts.
    if (file.isEmpty())
        return;
    state.SubFileName.clear();
    QCoreApplication::processEvents();
    OpenaMovie(file, false);
    settings_.write(QStringLiteral("LastFile"), file);
}

// ---------------------------------------------------------------------------
// The graph's news

void frmMain::watchGraph() {
    FilterGraph* graph = state.MediaControl.get();
    if (!graph)
        return;
    connect(graph, &FilterGraph::errorOccurred, this, &frmMain::onGraphError, Qt::UniqueConnection);
    connect(graph, &FilterGraph::prerolled, this, &frmMain::onGraphPrerolled, Qt::UniqueConnection);
    connect(graph, &FilterGraph::endOfStream, this, &frmMain::onGraphEnded, Qt::UniqueConnection);
}

void frmMain::onGraphError(quint64 graphId, const QString& message) {
    if (!state.MediaControl || state.MediaControl->id() != graphId)
        return; // an old graph's news
    state.PlayState = PlayStopped;
    status_->setText(message);
}

void frmMain::onGraphPrerolled(quint64 graphId) {
    if (!state.MediaControl || state.MediaControl->id() != graphId)
        return;
    status_->clear();
    // The native size is known from here on.
    if (state.PlayState != PlayStopped)
        sizeVideoWindow();
    showPosition();
}

void frmMain::onGraphEnded(quint64 graphId) {
    if (!state.MediaControl || state.MediaControl->id() != graphId)
        return;
    showPosition();
    if (state.LoopMovie) {
        state.MediaControl->setCurrentPosition(0);
        return;
    }
    // The play queue moves on here once playlists take over the end.
    setSeekBarValue(PBar1->Max());
}

// ---------------------------------------------------------------------------
// Video window and display

void frmMain::AttachVideo() {
    picVideoWindow_->show();
    sizeVideoWindow();
}

void frmMain::sizeVideoWindow() {
    VideoWindow* window = state.MediaControl ? state.MediaControl->videoWindow() : nullptr;
    if (!window)
        return;
    window->setVisible(false);
    window->setWindowStyle(0x06000000);
    window->setTop(0);
    window->setLeft(0);
    const MediaResult<QSize> native = state.MediaControl->videoSize();
    if (native) {
        picVideoWindow_->resize(native.value());
        window->setOwner(picVideoWindow_);
        window->setVisible(true);
        window->setWindowPosition(0, 0, native.value().width(), native.value().height());
        placeVideo();
    } else {
        // Shown once the first frame tells the size (see onGraphPrerolled).
        window->setOwner(picVideoWindow_);
    }
}

void frmMain::DetachVideo() {
    VideoWindow* window = state.MediaControl ? state.MediaControl->videoWindow() : nullptr;
    if (!window)
        return;
    window->setVisible(false);
    window->setOwner(nullptr);
    window->setTop(10000);
}

void frmMain::placeVideo() {
    if (state.FullScreenOn)
        return; // the full-screen layout places it
    // Window frames included: the video stands centred, a gap above us.
    const QRect main = frameGeometry();
    const QRect video = picVideoWindow_->frameGeometry();
    picVideoWindow_->move(main.x() + main.width() / 2 - video.width() / 2,
                          std::max(0, main.y() - video.height() - twipsToPixels(kVideoGapTwips)));
}

void frmMain::setOsdText(const QString& text) {
    osd_->setCaption(text, picVideoWindow_->pos(), config_ ? config_->keyColour() : Qt::black);
}

QString frmMain::osdText() const {
    return osd_->text();
}

void frmMain::applyVolume() {
    if (state.BasicAudio)
        state.BasicAudio->setVolume(Slider2.value());
}

void frmMain::startOverlayDetection() {
    TimerOver->start();
}

void frmMain::stopOverlayDetection() {
    TimerOver->stop();
}

// Five one-second ticks after playback starts, the title says so.
void frmMain::TimerOver_Timer() {
    if (overlayTicks_ == 0)
        savedTitle_ = title_->text();
    if (overlayTicks_ == 5) {
        TimerOver->stop();
        overlayTicks_ = 0;
        title_->setText(savedTitle_);
        return;
    }
    ++overlayTicks_;
    DetectOverlay();
    title_->setText(QStringLiteral("Detecting hardware overlay"));
}

// The colour on screen at the video window's centre becomes the key colour
// the on-screen display and the subtitles sit on.
void frmMain::DetectOverlay() {
    if (!config_ || !config_->autoOverlay() || !picVideoWindow_->isVisible())
        return;
    const QPoint centre = picVideoWindow_->mapToGlobal(picVideoWindow_->rect().center());
    QScreen* screen = QGuiApplication::screenAt(centre);
    if (!screen)
        return;
    const QPoint local = centre - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (!pixel.isNull())
        config_->setKeyColour(pixel.pixelColor(0, 0));
}

// ---------------------------------------------------------------------------
// Position

int frmMain::seekBarValue() const {
    return PBar1->Value();
}

int frmMain::seekBarMax() const {
    return PBar1->Max();
}

void frmMain::setSeekBarValue(int seconds) {
    PBar1->setValue(std::clamp(seconds, PBar1->Min(), PBar1->Max())); // a refused value is skipped
}

void frmMain::setPositionText(const QString& text) {
    tempslbl->setText(text);
}

QString frmMain::positionText() const {
    return tempslbl->text();
}

QString frmMain::durationText() const {
    return tempec->text();
}

QString frmMain::videoSizeText() const {
    return vsize->text();
}

void frmMain::setDuration(double seconds) {
    durationSeconds_ = seconds;
    // 32-bit seconds: movies longer than nine hours still fit.
    PBar1->setMax(std::max(1, int(std::min(std::lround(std::max(0.0, seconds)), long(INT_MAX)))));
}

void frmMain::showPosition() {
    if (!state.MediaPosition)
        return;
    if (const MediaResult<QSize> size = state.MediaPosition->videoSize())
        vsize->setText(QStringLiteral("Video Size: %1x%2")
                           .arg(size.value().width())
                           .arg(size.value().height()));
    const double position = state.MediaPosition->currentPosition().valueOr(0);
    setSeekBarValue(int(position));
    tempslbl->setText(formatTime(qint64(position)));
    tempec->setText(formatTime(qint64(state.MediaPosition->duration().valueOr(durationSeconds_))));
}

// ---------------------------------------------------------------------------
// Opening

QString frmMain::audioDeviceName() const {
    // The configuration dialog's device box chooses; without a choice the
    // machine's default output plays.
    const QString chosen = config_ ? config_->deviceName() : QString();
    return chosen.isEmpty() ? QStringLiteral("Default Audio Output") : chosen;
}

bool frmMain::useDedynamic() const {
    return config_ && config_->useDedynamic();
}

void frmMain::beforeGraphBuilt() {
    // The decoder settings go to the registry, where the graph reads them.
    if (config_)
        config_->WriteReg();
}

void frmMain::loadConfiguration() {
    ConfigHooks hooks;
    hooks.reopenMovie = [this] { reopenMovie(); };
    hooks.startOverlayDetection = [this] { TimerOver->start(); };
    hooks.minimizeMainWindow = [this] { showMinimized(); };
    hooks.refreshRegisteredFilters = [this] { inspector.RefreshRegFilters(); };
    hooks.registerFileTypes = [this] {
        const auto result = RegisterFileTypes(QStringLiteral("Vantor Meridian"),
                                              QCoreApplication::applicationFilePath());
        QMessageBox::information(config_, QStringLiteral("Vantor Meridian"), result.message);
    };
    config_ = new frmConfig(hooks, &state, this);
    config_->setWindowFlag(Qt::Window);
    config_->programFolder = programDataFolder();
    display_ = std::make_unique<XRandRBackend>();
    DisplayModeSwitch::Hooks displayHooks;
    displayHooks.pauseMovie = [this] {
        const bool playing = state.PlayState == PlayRunning;
        transport.pause_Click();
        return playing;
    };
    displayHooks.playMovie = [this] { transport.play_Click(); };
    displayHooks.showMessage = [this](const DisplayMessage& message) {
        QMessageBox::warning(this, QStringLiteral("Vantor Meridian"), message.text);
    };
    displayModes_ = std::make_unique<DisplayModeSwitch>(*display_, displayHooks);
    config_->bindDisplayModes(*displayModes_);
    config_->Form_Load();
}

void frmMain::showConfiguration() {
    if (config_)
        config_->showDialog();
}

// Settings that shape the graph changed: the movie opens again where it was.
void frmMain::reopenMovie() {
    if (!state.MovieOpen || state.CurrentFile.isEmpty())
        return;
    const double position =
        state.MediaPosition ? state.MediaPosition->currentPosition().valueOr(0) : 0;
    OpenaMovie(state.CurrentFile, state.LoopMovie);
    Jump(formatTime(qint64(position)));
}

int frmMain::probeFrameRate(const QString& file) {
    // The file's own headers, when the media detector could not tell.
    const QString alias = QStringLiteral("movie1");
    if (MciOpen(0, alias, file, QStringLiteral("avivideo")) != kMciSuccess)
        return -1;
    const qint32 rate = MciGetFrameRate(alias);
    MciClose(alias);
    return rate;
}

void frmMain::setAudioStreamItems(const QStringList& captions, bool) {
    audioStreamItems_ = captions;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    opener.openDropped(droppedPaths(event->mimeData()), false, List1);
    watchGraph();
    event->acceptProposedAction();
}

// ---------------------------------------------------------------------------
// Exit

void frmMain::releaseReferences() {
    state.SelectedFilter = FilterInfo();
    state.SelectedPin = PinInfo();
    inspector.listedFilter = FilterInfo();
    inspector.frmSelectPin.chosenPin = PinInfo();
    inspector.frmSelectPin.connectingFilter = FilterInfo();
    inspector.frmSelectPin.graph.reset();
    state.releaseGraph();
    state.RegFilters.reset();
}

void frmMain::saveVolume() {
    settings_.write(QStringLiteral("Volume"), QString::number(Slider2.value()));
}

void frmMain::ExitMe() {
    if (exiting_)
        return;
    exiting_ = true;
    transport.cmdStop_Click();
    if (displayModes_ && displayModes_->ModeChanged)
        displayModes_->RestoreScrRes();
    releaseReferences();
    saveVolume();
    picVideoWindow_->hide();
    osd_->hide();
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

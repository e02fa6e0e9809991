#include "app/frm_main.h"

#include "inspector/frm_filter_prop.h"
#include "inspector/frm_select_pin.h"
#include "inspector/inspector_panel.h"
#include "inspector/property_page.h"
#include "support/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
// The plain main window, in twips.
constexpr int kMainHeightTwips = 1600;
constexpr int kMainWidthTwips = 6795;
} // namespace

frmMain::frmMain(QString commandLine, QWidget* parent)
    : QWidget(parent), inspector(state), commandLine_(std::move(commandLine)) {
    setWindowTitle(QStringLiteral("Vantor Meridian"));
    buildWindow();
    wireInspector();
}

frmMain::~frmMain() {
    releaseReferences();
}

void frmMain::buildWindow() {
    status_ = new QLabel(QStringLiteral("Vantor Meridian\nCtrl+I: filter graph inspector"), this);
    status_->setAlignment(Qt::AlignCenter);
    status_->setFixedHeight(twipsToPixels(kMainHeightTwips));
    panel_ = new InspectorPanel(inspector, List1, this);
    panel_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(status_);
    layout->addWidget(panel_);
    auto* toggle = new QShortcut(QKeySequence(QStringLiteral("Ctrl+I")), this);
    connect(toggle, &QShortcut::activated, this, [this] { showInspector(!inspectorShown()); });
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
    connect(panel_->cmdRun, &QPushButton::clicked, this, &frmMain::cmdRun_Click);
    connect(panel_->cmdPause, &QPushButton::clicked, this, &frmMain::cmdPause_Click);
    connect(panel_->cmdStop, &QPushButton::clicked, this, &frmMain::cmdStop_Click);
    connect(panel_->cmdNewGraph, &QPushButton::clicked, this, [this] { inspector.NewGraph(); });
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
    filterProp_ = new frmFilterProp(inspector, this);

    // From here on a failing step is skipped.
    bool ok = false;
    const int volume = settings_.read(QStringLiteral("Volume"), QStringLiteral("0")).toInt(&ok);
    if (ok)
        Slider2.setValue(volume);
    if (state.BasicAudio)
        state.BasicAudio->setVolume(Slider2.value());

    show();

    request_ = parseCommandLine(commandLine_);
    if (!request_.movie.isEmpty())
        OpenaMovie(existingFileName(request_.movie), false);
}

bool frmMain::OpenaMovie(const QString& movieFileName, bool loop) {
    cmdStop_Click();
    inspector.NewGraph();
    state.CurrentFile = movieFileName;
    state.LoopMovie = loop;
    if (!state.MediaControl->renderFile(movieFileName))
        return false;
    inspector.RefreshFilters();
    state.MovieOpen = true;
    cmdRun_Click();
    return true;
}

void frmMain::cmdRun_Click() {
    if (!state.MediaControl)
        return;
    connect(state.MediaControl.get(), &FilterGraph::errorOccurred, this, &frmMain::onGraphError,
            Qt::UniqueConnection);
    state.MediaControl->setVolume(Slider2.value());
    if (state.MediaControl->run()) {
        state.PlayState = PlayRunning;
        state.Paused = false;
        state.SelectedHotSpot = -1;
        state.VideoWindow = state.MediaControl->videoWindow();
    }
}

void frmMain::cmdPause_Click() {
    if (state.MediaControl && state.MediaControl->pause()) {
        state.PlayState = PlayPaused;
        state.Paused = true;
    }
}

void frmMain::cmdStop_Click() {
    if (state.MediaControl)
        state.MediaControl->stop();
    state.PlayState = PlayStopped;
}

void frmMain::onGraphError(quint64 graphId, const QString& message) {
    if (!state.MediaControl || state.MediaControl->id() != graphId)
        return; // an old graph's news
    state.PlayState = PlayStopped;
    status_->setText(QStringLiteral("Vantor Meridian\n%1").arg(message));
}

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
    cmdStop_Click();
    releaseReferences();
    saveVolume();
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

#include "inspector/inspector_window.h"

#include "inspector/frm_select_pin.h"
#include "inspector/graph_inspector.h"
#include "inspector/inspector_panel.h"
#include "inspector/property_page.h"
#include "player/movie_opener.h"
#include "player/transport.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

InspectorWindow::InspectorWindow(GraphInspector& inspector, Player player, QWidget& bar)
    : inspector_(inspector), player_(std::move(player)), bar_(bar),
      panel_(std::make_unique<InspectorPanel>(inspector, player_.queue, nullptr)) {
    panel_->setWindowTitle(QStringLiteral("Filter Graph Inspector"));
    // Ctrl+I reaches whichever of its controls has the focus first, and a
    // text box would take it for its own.
    panel_->installEventFilter(this);
    for (QWidget* control : panel_->findChildren<QWidget*>())
        control->installEventFilter(this);
    wire();
}

InspectorWindow::~InspectorWindow() = default;

void InspectorWindow::wire() {
    QWidget* owner = &bar_;
    inspector_.chooseSourceFile = [owner] {
        return QFileDialog::getOpenFileName(owner, QStringLiteral("Open"), QString(),
                                            QStringLiteral("All Files (*)"));
    };
    inspector_.runSelectPin = [owner](PinSelector& selector) {
        frmSelectPin dialog(selector, owner);
        return dialog.exec() == QDialog::Accepted;
    };
    inspector_.showPropertyPages = [owner](const FilterInfo& filter) {
        (new PropertyPage(filter, owner))->show();
    };
    Transport& transport = player_.transport;
    connect(panel_->cmdRun, &QPushButton::clicked, this,
            [&transport] { transport.cmdRun_Click(); });
    connect(panel_->cmdPause, &QPushButton::clicked, this,
            [&transport] { transport.cmdPause_Click(); });
    connect(panel_->cmdStop, &QPushButton::clicked, this,
            [&transport] { transport.cmdStop_Click(); });
    connect(panel_->cmdNewGraph, &QPushButton::clicked, this, [this] {
        player_.opener.CleanUp();
        inspector_.NewGraph();
    });
    connect(panel_->Command1, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getOpenFileName(&bar_, QStringLiteral("Open"), QString(),
                                         QStringLiteral("Media files (*.mpg *.avi *.mov)"));
        if (!file.isEmpty())
            player_.queue.addItem(file);
    });
    connect(panel_->Command2, &QPushButton::clicked, this, [this] {
        if (player_.queue.listIndex() < 0)
            return;
        player_.queue.removeItem(player_.queue.listIndex());
        player_.queue.setListIndex(0);
    });
    connect(panel_->Command3, &QPushButton::clicked, this, [this] { player_.playQueue(); });
}

bool InspectorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == panel_.get()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_I && key->modifiers() == Qt::ControlModifier) {
            show(false);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void InspectorWindow::show(bool show) {
    if (!show) {
        panel_->hide();
        return;
    }
    panel_->adjustSize();
    place();
    panel_->show();
    panel_->raise();
    // A window manager gives the window its frame a moment later, taller
    // than the window was: place it again once the frame is known.
    for (const int ms : {150, 500})
        QTimer::singleShot(ms, panel_.get(), [this] {
            if (panel_->isVisible() && panel_->frameGeometry().intersects(bar_.frameGeometry()))
                place();
        });
}

// Below the bar, else above it, else beside it: whole on the screen and
// clear of the bar, the title strip included. Where it fits nowhere it
// is made shorter to fit the larger room above or below; failing that,
// it goes below as far as the screen allows.
void InspectorWindow::place() {
    const QRect bar = bar_.frameGeometry();
    QScreen* on = QGuiApplication::screenAt(bar.center());
    const QRect screen = (on ? on : QGuiApplication::primaryScreen())->availableGeometry();
    if (placeClear(bar, screen))
        return;
    const int frame = panel_->frameGeometry().height() - panel_->height();
    const int room = std::max(bar.top() - screen.top(), screen.bottom() - bar.bottom());
    panel_->resize(panel_->width(), std::max(panel_->minimumSizeHint().height(), room - frame));
    if (!placeClear(bar, screen))
        panel_->move(onScreen(QPoint(bar.left(), bar.bottom() + 1), screen));
}

bool InspectorWindow::placeClear(const QRect& bar, const QRect& screen) {
    const QSize size = panel_->frameGeometry().size();
    for (const QPoint at :
         {QPoint(bar.left(), bar.bottom() + 1), QPoint(bar.left(), bar.top() - size.height()),
          QPoint(bar.right() + 1, bar.top()), QPoint(bar.left() - size.width(), bar.top())}) {
        const QRect placed(onScreen(at, screen), size);
        if (screen.contains(placed) && !placed.intersects(bar)) {
            panel_->move(placed.topLeft());
            return true;
        }
    }
    return false;
}

// `at`, or as near as keeps the window's frame on the screen.
QPoint InspectorWindow::onScreen(QPoint at, const QRect& screen) const {
    const QSize size = panel_->frameGeometry().size();
    return QPoint(std::clamp(at.x(), screen.left(),
                             std::max(screen.left(), screen.right() + 1 - size.width())),
                  std::clamp(at.y(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - size.height())));
}

bool InspectorWindow::shown() const {
    return panel_->isVisible();
}

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

InspectorWindow::InspectorWindow(GraphInspector& inspector, Player player, QWidget& bar)
    : inspector_(inspector), player_(std::move(player)), bar_(bar),
      panel_(std::make_unique<InspectorPanel>(inspector, player_.queue, nullptr)) {
    panel_->setWindowTitle(QStringLiteral("Filter Graph Inspector"));
    panel_->installEventFilter(this);
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
    if (watched == panel_.get() && event->type() == QEvent::KeyPress) {
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
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect bar = bar_.frameGeometry();
    int top = bar.bottom() + 1;
    if (top + panel_->height() > screen.bottom())
        top = std::max(screen.top(), bar.top() - panel_->frameGeometry().height());
    panel_->move(bar.left(), top);
    panel_->show();
    panel_->raise();
}

bool InspectorWindow::shown() const {
    return panel_->isVisible();
}

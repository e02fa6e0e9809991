#include "app/key_dispatcher.h"

#include "player/key_table.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

bool takesText(const QObject* object) {
    const auto* combo = qobject_cast<const QComboBox*>(object);
    return qobject_cast<const QLineEdit*>(object) || qobject_cast<const QTextEdit*>(object) ||
           qobject_cast<const QPlainTextEdit*>(object) ||
           qobject_cast<const QAbstractSpinBox*>(object) || (combo && combo->isEditable());
}

} // namespace

KeyDispatcher::KeyDispatcher(PlayerCommands& commands, Windows windows, QObject* parent)
    : QObject(parent), commands_(commands), windows_(std::move(windows)) {
    qApp->installEventFilter(this);
}

KeyDispatcher::~KeyDispatcher() {
    qApp->removeEventFilter(this);
}

bool KeyDispatcher::dispatch(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    const Command command = commandForKey(key, modifiers);
    if (command == Command::None)
        return false;
    const bool fromVideo = window == windows_.video;
    const bool fromSubtitles = windows_.subtitles && window == windows_.subtitles();
    commands_.run(command, command == Command::LeaveFullScreen && (fromVideo || fromSubtitles));
    // The keys that follow go to the video window.
    if (!fromVideo && windows_.video && windows_.video->isVisible() &&
        QApplication::activeModalWidget() == nullptr &&
        QApplication::activePopupWidget() == nullptr) {
        windows_.video->activateWindow();
        windows_.video->setFocus();
    }
    return true;
}

bool KeyDispatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || takesText(watched))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    QWidget* window = widget->window();
    const bool ours = window == windows_.main || window == windows_.video ||
                      (windows_.subtitles && window == windows_.subtitles());
    if (!ours)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    return dispatch(window, key->key(), key->modifiers());
}

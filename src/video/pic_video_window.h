#pragma once
// The video window: a plain black top-level window that hosts the
// renderer's window, and takes dropped files like the main window.
#include <QWidget>

class PicVideoWindow : public QWidget {
    Q_OBJECT
  public:
    PicVideoWindow();

  Q_SIGNALS:
    void filesDropped(const QStringList& paths);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// Local paths of dropped URLs, in order.
QStringList droppedPaths(const class QMimeData* data);

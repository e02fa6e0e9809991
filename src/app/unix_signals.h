#pragma once
// Turns SIGTERM and SIGINT into a Qt signal on the UI thread, so that a
// logout or Ctrl+C runs the same exit sequence as the close button.
#include <QObject>

class QSocketNotifier;

class UnixSignals : public QObject {
    Q_OBJECT
  public:
    explicit UnixSignals(QObject* parent = nullptr);
    ~UnixSignals() override;

  Q_SIGNALS:
    void terminateRequested();

  private:
    void onReadable();
    QSocketNotifier* notifier_ = nullptr;
};

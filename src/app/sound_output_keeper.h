#pragma once
// Which audio output the movie plays on, and keeping its sound going when
// that output fails: a device unplugged, the sound server restarted. The
// movie opens again where it was, on the chosen device when it answers,
// else on the default output, else (the server stays away) silent; the
// title says which, in plain words. A file is never blamed for it.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class SoundOutputKeeper : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<QString()> chosenName; // empty: none chosen, or unplugged
        std::function<QString()> chosenId;
        std::function<bool(const QString& id)> listed;
        std::function<bool(const QString& name)> reachable;
        std::function<bool()> movieOpen;
        std::function<double()> position;
        // Opens the current movie again, at `seconds`.
        std::function<void(double seconds)> reopen;
        std::function<void(const QString& text)> tell;
        // The server answers again: its devices are asked for anew.
        std::function<void()> watchDevicesAgain;
    };
    static constexpr const char* kDefaultOutput = "Default Audio Output";
    static constexpr const char* kSilentOutput = "Null Audio Renderer";
    static constexpr int kRetryMs = 500;
    static constexpr int kAttempts = 8;

    explicit SoundOutputKeeper(Hooks hooks, QObject* parent = nullptr);

    // The output a movie opening now takes; remembered as the one playing.
    QString outputForOpen();
    // The playing output failed at `seconds`.
    void outputLost(double seconds);
    // The sound server added or removed a device.
    void devicesChanged();
    // The user opened or stopped a movie: a recovery under way is dropped.
    void reset();

  private:
    void tryOutputs();
    void reopenOn(const QString& output, const QString& message);

    Hooks hooks_;
    QString playingName_;
    QString playingId_;
    QString forced_; // the output the reopening takes; empty: the chosen one
    bool reopening_ = false;
    double at_ = 0;
    int attempts_ = 0;
    QTimer retry_;
    QElapsedTimer sinceReopen_; // a reopened output that fails at once is no recovery
};

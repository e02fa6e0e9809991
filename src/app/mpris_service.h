#pragma once
// The desktop's media-player D-Bus interface (MPRIS 2), so media keys,
// sound applets and playerctl drive the player. Bus name
// "org.mpris.MediaPlayer2.vantorplay".
#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QVariantMap>

class frmMain;

class MprisRoot : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
  public:
    MprisRoot(QObject* service, frmMain& player);
    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const { return QStringLiteral("Vantor Meridian"); }
    QString desktopEntry() const { return QStringLiteral("vantorplay"); }
    QStringList supportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList supportedMimeTypes() const;

  public Q_SLOTS:
    void Raise();
    void Quit();

  private:
    frmMain& player_;
};

class MprisPlayer : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(double MinimumRate READ minimumRate)
    Q_PROPERTY(double MaximumRate READ maximumRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool Shuffle READ shuffle WRITE setShuffle)
    Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
    Q_PROPERTY(bool CanGoNext READ canControl)
    Q_PROPERTY(bool CanGoPrevious READ canControl)
    Q_PROPERTY(bool CanPlay READ canControl)
    Q_PROPERTY(bool CanPause READ canControl)
    Q_PROPERTY(bool CanSeek READ canControl)
    Q_PROPERTY(bool CanControl READ canControl)
  public:
    MprisPlayer(QObject* service, frmMain& player);

    QString playbackStatus() const;
    double rate() const;
    void setRate(double rate);
    double minimumRate() const { return 0.5; }
    double maximumRate() const { return 2.0; }
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double linear);
    qlonglong position() const; // microseconds
    // The context menu's Shuffle and Repeat: "Track" is Repeat, "Playlist"
    // is not offered (the queue does not wrap) and reads as "None".
    bool shuffle() const;
    void setShuffle(bool on);
    QString loopStatus() const;
    void setLoopStatus(const QString& status);
    bool canControl() const { return true; }

    // Announces changed properties to the desktop.
    void publishChanges();

  public Q_SLOTS:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong offsetMicroseconds);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong positionMicroseconds);
    void OpenUri(const QString& uri);

  Q_SIGNALS:
    void Seeked(qlonglong positionMicroseconds);

  private:
    void seekTo(double seconds);
    frmMain& player_;
    QVariantMap published_;
};

// Registers the interface on the session bus; does nothing without one.
class MprisService : public QObject {
    Q_OBJECT
  public:
    explicit MprisService(frmMain& player);
    ~MprisService() override;
    bool registered() const { return registered_; }

  private:
    MprisPlayer* player_ = nullptr;
    bool registered_ = false;
    QString serviceName_; // the well-known name, or its instance name
};

// Hundredths of a decibel and the linear level MPRIS speaks in.
double volumeToLinear(int hundredthsDb);
int linearToVolume(double linear);

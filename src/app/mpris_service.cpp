#include "app/mpris_service.h"

#include "app/frm_main.h"
#include "app/main_commands.h"
#include "app/menu_view.h"
#include "playlist/play_queue.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

namespace {
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.vantorplay");
constexpr double kMicro = 1e6;
} // namespace

double volumeToLinear(int hundredthsDb) {
    return hundredthsDb <= -10000 ? 0.0 : std::pow(10.0, hundredthsDb / 2000.0);
}

int linearToVolume(double linear) {
    if (!(linear > 0))
        return -10000;
    return std::clamp(int(std::lround(2000.0 * std::log10(linear))), -10000, 0);
}

// ---------------------------------------------------------------------------

MprisRoot::MprisRoot(QObject* service, frmMain& player)
    : QDBusAbstractAdaptor(service), player_(player) {}

QStringList MprisRoot::supportedMimeTypes() const {
    return {QStringLiteral("video/x-msvideo"), QStringLiteral("video/mpeg"),
            QStringLiteral("video/x-ms-asf"), QStringLiteral("video/mp4")};
}

void MprisRoot::Raise() {
    player_.show();
    player_.raise();
    player_.activateWindow();
}

void MprisRoot::Quit() {
    player_.ExitMe();
}

// ---------------------------------------------------------------------------

// What the desktop sees changes as the player tells it: the playback's news
// and every command run, whatever gave it.
MprisPlayer::MprisPlayer(QObject* service, frmMain& player)
    : QDBusAbstractAdaptor(service), player_(player) {
    const Playback* playback = &player.playback;
    connect(playback, &Playback::stateChanged, this, &MprisPlayer::publishChanges);
    connect(playback, &Playback::movieOpened, this, &MprisPlayer::publishChanges);
    connect(playback, &Playback::durationChanged, this, &MprisPlayer::publishChanges);
    connect(playback, &Playback::seeked, this,
            [this](double seconds) { Q_EMIT Seeked(qlonglong(seconds * kMicro)); });
    connect(&player.commands(), &MainCommands::ran, this, &MprisPlayer::publishChanges);
    connect(&player.playback, &Playback::titleTagChanged, this, &MprisPlayer::publishChanges);
    connect(&player.menus().screen(), &MenuScreen::stillChanged, this,
            &MprisPlayer::publishChanges);
}

QString MprisPlayer::playbackStatus() const {
    switch (player_.playback.PlayState()) {
    case PlayRunning:
        return QStringLiteral("Playing");
    case PlayPaused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

double MprisPlayer::rate() const {
    return player_.playback.MediaPosition() ? player_.playback.MediaPosition()->rate() : 1.0;
}

void MprisPlayer::setRate(double rate) {
    // The player offers three speeds; the nearest one is taken.
    player_.commands().run(Command::Rate, rate < 0.75 ? 0 : rate < 1.5 ? 1 : 2);
}

QVariantMap MprisPlayer::metadata() const {
    QVariantMap map;
    const QString file = player_.playback.CurrentFile();
    // A still menu plays nothing: the movie stopped under it (its
    // background, say) is no track.
    if (file.isEmpty() || player_.menus().screen().stillShown())
        return map;
    map.insert(QStringLiteral("mpris:trackid"),
               QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/vantor/track/current"))));
    const QString& tag = player_.playback.titleTag();
    map.insert(QStringLiteral("xesam:title"), tag.isEmpty() ? QFileInfo(file).fileName() : tag);
    map.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(file).toString());
    if (const auto& graph = player_.playback.MediaPosition()) {
        if (const MediaResult<double> length = graph->duration())
            map.insert(QStringLiteral("mpris:length"), qlonglong(length.value() * kMicro));
    }
    return map;
}

double MprisPlayer::volume() const {
    return volumeToLinear(player_.volume.level());
}

void MprisPlayer::setVolume(double linear) {
    player_.volume.setLevel(linearToVolume(linear));
    player_.volume.redraw();
    publishChanges();
}

qlonglong MprisPlayer::position() const {
    return qlonglong(player_.playback.position() * kMicro);
}

bool MprisPlayer::shuffle() const {
    return player_.queue().shuffleChecked();
}

void MprisPlayer::setShuffle(bool on) {
    if (on != shuffle())
        player_.commands().run(Command::ShuffMode);
}

QString MprisPlayer::loopStatus() const {
    return player_.queue().repeatChecked() ? QStringLiteral("Track") : QStringLiteral("None");
}

void MprisPlayer::setLoopStatus(const QString& status) {
    if ((status == QLatin1String("Track")) != player_.queue().repeatChecked())
        player_.commands().run(Command::RepMode);
}

void MprisPlayer::Next() {
    player_.commands().run(Command::NextMovie);
}
void MprisPlayer::Previous() {
    player_.commands().run(Command::Previous);
}
void MprisPlayer::Pause() {
    player_.commands().run(Command::PauseMovie);
}
void MprisPlayer::Stop() {
    player_.commands().run(Command::StopMovie);
}
void MprisPlayer::Play() {
    player_.commands().run(Command::PlayMovie);
}
void MprisPlayer::PlayPause() {
    player_.commands().run(Command::PlayPause);
}

void MprisPlayer::seekTo(double seconds) {
    const auto& graph = player_.playback.MediaPosition();
    if (!graph)
        return;
    const double length = graph->duration().valueOr(seconds);
    player_.playback.seek(std::clamp(seconds, 0.0, length)); // Seeked follows
}

void MprisPlayer::Seek(qlonglong offsetMicroseconds) {
    seekTo(position() / kMicro + offsetMicroseconds / kMicro);
}

void MprisPlayer::SetPosition(const QDBusObjectPath&, qlonglong positionMicroseconds) {
    if (positionMicroseconds >= 0)
        seekTo(positionMicroseconds / kMicro);
}

void MprisPlayer::OpenUri(const QString& uri) {
    const QUrl url(uri);
    if (url.isLocalFile())
        player_.openFiles({url.toLocalFile()}); // a playlist plays as the queue
}

void MprisPlayer::publishChanges() {
    QVariantMap now{{QStringLiteral("PlaybackStatus"), playbackStatus()},
                    {QStringLiteral("Metadata"), metadata()},
                    {QStringLiteral("Volume"), volume()},
                    {QStringLiteral("Rate"), rate()},
                    {QStringLiteral("Shuffle"), shuffle()},
                    {QStringLiteral("LoopStatus"), loopStatus()}};
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (published_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    if (changed.isEmpty())
        return;
    published_ = now;
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

// ---------------------------------------------------------------------------

MprisService::MprisService(frmMain& player) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    new MprisRoot(this, player);
    player_ = new MprisPlayer(this, player);
    if (!bus.registerObject(kObjectPath, this))
        return;
    // A second player running takes the instance name the media-player
    // interface gives for that, so both stay reachable.
    serviceName_ = kServiceName;
    if (!bus.registerService(serviceName_)) {
        serviceName_ = kServiceName + QStringLiteral(".instance") +
                       QString::number(QCoreApplication::applicationPid());
        if (!bus.registerService(serviceName_)) {
            bus.unregisterObject(kObjectPath);
            return;
        }
    }
    registered_ = true;
    player_->publishChanges();
}

MprisService::~MprisService() {
    if (registered_) {
        QDBusConnection::sessionBus().unregisterService(serviceName_);
        QDBusConnection::sessionBus().unregisterObject(kObjectPath);
    }
}

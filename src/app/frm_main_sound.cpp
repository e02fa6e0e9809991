// The main window's sound output: the devices the server offers, the one
// chosen, and a movie whose output fails opened again on one that plays.
#include "app/frm_main.h"

#include "app/sound_output_keeper.h"
#include "config/frm_config.h"
#include "support/media/default_sound_sink.h"
#include "support/media/filter_graph.h"

#include <algorithm>
#include <cstdio>

// The sound follows the server: devices come and go in the dialog, and a
// movie whose output fails opens again on one that plays.
void frmMain::keepSoundOutput() {
    // The sink the default output played on last time is tried first.
    defaultsound::remember(settings_.read(QStringLiteral("SoundElement")));
    defaultsound::onPlayed([this](const QString& factory) {
        settings_.write(QStringLiteral("SoundElement"), factory);
    });
    SoundOutputKeeper::Hooks hooks;
    hooks.chosenName = [this] { return config_->deviceName(); };
    hooks.chosenId = [this] { return config_->deviceId(); };
    hooks.listed = [this](const QString& id) { return config_->outputListed(id); };
    hooks.reachable = [](const QString& name) {
        const QList<RegFilterInfo> outputs = FilterGraph::regFilterCollection();
        const auto found = std::find_if(outputs.begin(), outputs.end(),
                                        [&](const RegFilterInfo& f) { return f.name() == name; });
        return found != outputs.end() && found->reachable();
    };
    hooks.movieOpen = [this] { return playback.MovieOpen(); };
    hooks.position = [this] { return playback.position(); };
    hooks.reopen = [this](double seconds) { reopenMovieAt(seconds); };
    // Also on the error output, for the session's log: the title scrolls on.
    hooks.tell = [this](const QString& text) {
        setTitle(text);
        fprintf(stderr, "vantorplay: %s\n", text.toUtf8().constData());
    };
    hooks.watchDevicesAgain = [] { FilterGraph::watchDevicesAgain(); };
    sound_ = std::make_unique<SoundOutputKeeper>(hooks);
    openerView_.sound = sound_.get();
    connect(&playback, &Playback::soundOutputLost, sound_.get(), &SoundOutputKeeper::outputLost);
    connect(&playback, &Playback::stateChanged, sound_.get(), [this](PlayStates state) {
        if (state == PlayStopped)
            sound_->reset();
    });
    // The sound applet's slider for the player moves the player's level.
    connect(&inspector, &GraphInspector::graphCreated, this, [this](FilterGraph* graph) {
        connect(graph, &FilterGraph::volumeChangedOnServer, this, [this](int level) {
            volume.setLevel(level);
            volume.redraw();
        });
    });
    connect(&AudioDeviceNews::instance(), &AudioDeviceNews::changed, this, [this] {
        config_->refreshAudioDevices();
        if (qEnvironmentVariableIsSet("VANTOR_TRACE_SOUND"))
            fprintf(stderr, "vantorplay: audio outputs: %s\n",
                    config_->audioOutputNames().join(QStringLiteral(", ")).toUtf8().constData());
        sound_->devicesChanged();
    });
}

QStringList frmMain::audioOutputNames() const {
    return config_ ? config_->audioOutputNames() : QStringList();
}

int frmMain::audioOutputIndex() const {
    return config_ ? config_->deviceIndex() : -1;
}

void frmMain::chooseAudioOutput(int row) {
    if (!config_ || !config_->chooseAudioOutput(row))
        return;
    reopenMovie();
}

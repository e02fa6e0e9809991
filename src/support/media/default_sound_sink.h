#pragma once
// The sink behind the default audio output. autoaudiosink tries every sound
// server in turn (PulseAudio, ALSA, JACK, OSS, OpenAL) each time a movie
// opens, which costs tens of milliseconds before the first frame where the
// first ones do not answer. The element that played last time is made
// directly instead, and the others are tried only when it does not answer.
#include <QString>
#include <functional>

typedef struct _GstElement GstElement;
typedef struct _GstBin GstBin;

namespace defaultsound {

// The factory name of the sink that played last time ("pulsesink"); empty
// when none is known. Anything but an audio sink's factory is ignored.
void remember(const QString& factory);
// Called on the UI thread when a movie plays on another sink than the one
// remembered, with that sink's factory name.
void onPlayed(std::function<void(const QString& factory)> handler);

// The sink for the default output: the remembered one when it answers, else
// autoaudiosink, which tries them all. A remembered silent sink (no server
// answered last time) is taken only while the desktop still lists no audio
// device.
GstElement* make();
// After the graph has prerolled: reports which sink the default output of
// `graph` plays on, when that is not the one remembered.
void notePlayed(GstBin* graph);

} // namespace defaultsound

#include "support/media/missing_parts.h"

#include <QMutex>
#include <gst/gst.h>

namespace missingparts {
namespace {

struct Holder {
    const char* name;
    const char* package;
};

constexpr Holder kElements[] = {
    {"queue", "libgstreamer1.0-0"},
    {"capsfilter", "libgstreamer1.0-0"},
    {"identity", "libgstreamer1.0-0"},
    {"fakesink", "libgstreamer1.0-0"},
    {"filesrc", "libgstreamer1.0-0"},
    {"decodebin", "gstreamer1.0-plugins-base"},
    {"parsebin", "gstreamer1.0-plugins-base"},
    {"videoconvert", "gstreamer1.0-plugins-base"},
    {"appsink", "gstreamer1.0-plugins-base"},
    {"audioconvert", "gstreamer1.0-plugins-base"},
    {"audioresample", "gstreamer1.0-plugins-base"},
    {"volume", "gstreamer1.0-plugins-base"},
    {"videobalance", "gstreamer1.0-plugins-good"},
    {"scaletempo", "gstreamer1.0-plugins-good"},
    {"equalizer-10bands", "gstreamer1.0-plugins-good"},
    {"autoaudiosink", "gstreamer1.0-plugins-good"},
    {"avidemux", "gstreamer1.0-plugins-good"},
    {"pulsesink", "gstreamer1.0-pulseaudio"},
    {"alsasink", "gstreamer1.0-alsa"},
};

// Media types whose usual decoder lives outside the libav plugin, which
// decodes nearly everything else.
constexpr Holder kFormats[] = {
    {"audio/x-vorbis", "gstreamer1.0-plugins-base"}, {"audio/x-opus", "gstreamer1.0-plugins-base"},
    {"video/x-theora", "gstreamer1.0-plugins-base"}, {"audio/x-flac", "gstreamer1.0-plugins-good"},
    {"video/x-vp8", "gstreamer1.0-plugins-good"},    {"video/x-vp9", "gstreamer1.0-plugins-good"},
    {"image/jpeg", "gstreamer1.0-plugins-good"},     {"video/x-av1", "gstreamer1.0-plugins-bad"},
};

QMutex noted;
QString first;

} // namespace

QString packageForElement(const QString& factory) {
    for (const Holder& holder : kElements)
        if (factory == QLatin1String(holder.name))
            return QString::fromLatin1(holder.package);
    return {};
}

QString packageForFormat(const QString& type) {
    for (const Holder& holder : kFormats)
        if (type == QLatin1String(holder.name))
            return QString::fromLatin1(holder.package);
    if (type.startsWith(QLatin1String("video/")) || type.startsWith(QLatin1String("audio/")))
        return QStringLiteral("gstreamer1.0-libav");
    return {};
}

GstElement* make(const char* factory, const char* name) {
    GstElement* element = gst_element_factory_make(factory, name);
    if (!element) {
        const QMutexLocker lock(&noted);
        if (first.isEmpty())
            first = QString::fromUtf8(factory);
    }
    return element;
}

QString takeMissing() {
    const QMutexLocker lock(&noted);
    return std::exchange(first, QString());
}

} // namespace missingparts

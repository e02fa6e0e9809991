// Output pins that exist only once data flows. A demultiplexer's outputs are
// learnt up front by reading the start of the file, so callers can select
// and connect them by name before the graph runs; the planned links are made
// on the streaming thread the moment each pad appears.
#include "support/media/file_probe.h"
#include "support/media/gst_graph_private.h"

#include <mutex>

namespace gstgraph {

namespace {

const char* const kPinsKey = "vantor-dynamic-pins";
const char* const kPlansKey = "vantor-planned-links";

struct Plan {
    QByteArray padName; // exact pad, or empty to match by media type
    QByteArray mediaPrefix;
    GstPad* target = nullptr;
};

struct PlanSet {
    std::mutex mutex;
    std::vector<Plan> plans;
    ~PlanSet() {
        for (Plan& plan : plans)
            gst_object_unref(plan.target);
    }
};

void destroyPins(gpointer data) {
    delete static_cast<std::vector<DynamicPin>*>(data);
}
void destroyPlans(gpointer data) {
    delete static_cast<PlanSet*>(data);
}

PlanSet* plansOf(GstElement* element) {
    return static_cast<PlanSet*>(g_object_get_data(G_OBJECT(element), kPlansKey));
}

QString mediaTypeOfPad(GstPad* pad) {
    if (GstCaps* caps = gst_pad_get_current_caps(pad)) {
        const QString type = capsMediaType(caps);
        gst_caps_unref(caps);
        return type;
    }
    if (GstCaps* caps = gst_pad_query_caps(pad, nullptr)) {
        const QString type = capsMediaType(caps);
        gst_caps_unref(caps);
        if (!type.isEmpty())
            return type;
    }
    // No caps yet: the pad's name still tells the kind of stream.
    const QByteArray name = GST_PAD_NAME(pad);
    if (name.startsWith("video"))
        return QStringLiteral("video/");
    if (name.startsWith("audio"))
        return QStringLiteral("audio/");
    if (name.startsWith("text"))
        return QStringLiteral("text/");
    return {};
}

// Streaming thread: a new pad of an element that has planned links.
void onPadAdded(GstElement* element, GstPad* pad, gpointer) {
    if (GST_PAD_DIRECTION(pad) != GST_PAD_SRC)
        return;
    PlanSet* set = plansOf(element);
    if (!set)
        return;
    const QByteArray name = GST_PAD_NAME(pad);
    const QByteArray type = mediaTypeOfPad(pad).toUtf8();
    std::lock_guard lock(set->mutex);
    for (Plan& plan : set->plans) {
        const bool matches =
            plan.padName.isEmpty() ? type.startsWith(plan.mediaPrefix) : plan.padName == name;
        if (!matches || gst_pad_is_linked(plan.target))
            continue;
        if (gst_pad_link(pad, plan.target) == GST_PAD_LINK_OK) {
            if (GstElement* downstream = gst_pad_get_parent_element(plan.target)) {
                releaseRenderer(downstream);
                gst_object_unref(downstream);
            }
        }
        return;
    }
}

void onNoMorePads(GstElement* element, gpointer) {
    gst_element_post_message(
        element, gst_message_new_application(GST_OBJECT(element),
                                             gst_structure_new_empty("vantor-no-more-pads")));
}

void nameStreams(GstElement* demux, std::vector<DynamicPin>& pins) {
    const bool avi = QByteArray(GST_OBJECT_NAME(gst_element_get_factory(demux))) == "avidemux";
    if (!avi) {
        for (DynamicPin& pin : pins)
            pin.displayName = QString::fromUtf8(pin.padName);
        return;
    }
    // The AVI splitter numbers its outputs: the video first, then the audio
    // streams in file order.
    std::stable_partition(pins.begin(), pins.end(),
                          [](const DynamicPin& p) { return p.padName.startsWith("video"); });
    std::stable_partition(pins.begin(), pins.end(), [](const DynamicPin& p) {
        return p.padName.startsWith("video") || p.padName.startsWith("audio");
    });
    for (size_t i = 0; i < pins.size(); ++i)
        pins[i].displayName = QStringLiteral("Stream %1").arg(int(i), 2, 10, QLatin1Char('0'));
}

void keepPins(GstElement* demux, std::vector<DynamicPin>& pins) {
    nameStreams(demux, pins);
    g_object_set_data_full(G_OBJECT(demux), kPinsKey, new std::vector<DynamicPin>(pins),
                           destroyPins);
}

} // namespace

QString capsMediaType(GstCaps* caps) {
    if (!caps || gst_caps_is_empty(caps) || gst_caps_is_any(caps))
        return {};
    return QString::fromUtf8(gst_structure_get_name(gst_caps_get_structure(caps, 0)));
}

MediaStatus probeDynamicPins(GstElement* demux, const QString& location) {
    GstElementFactory* factory = gst_element_get_factory(demux);
    if (!factory || location.isEmpty())
        return MediaStatus::failure(QStringLiteral("No file feeds this filter."));
    std::vector<DynamicPin> pins;
    if (QByteArray(GST_OBJECT_NAME(factory)) == "avidemux" && aviPinsFromHeaders(location, pins)) {
        keepPins(demux, pins);
        return MediaStatus::success();
    }
    FileProbe probe(location, gst_element_factory_create(factory, nullptr));
    if (!probe.isReady())
        return MediaStatus::failure(QStringLiteral("The file cannot feed this filter."));
    g_signal_connect(probe.reader(), "no-more-pads", G_CALLBACK(onNoMorePads), nullptr);
    probe.pauseUntil(GstMessageType(GST_MESSAGE_APPLICATION | GST_MESSAGE_ASYNC_DONE), 3000);
    visitAll<GstPad>(gst_element_iterate_src_pads(probe.reader()), [&](GstPad* pad) {
        pins.push_back({GST_PAD_NAME(pad), QString(), mediaTypeOfPad(pad)});
    });
    const QString& error = probe.error();
    if (pins.empty())
        return MediaStatus::failure(error.isEmpty() ? QStringLiteral("The file has no streams.")
                                                    : error);
    keepPins(demux, pins);
    return MediaStatus::success();
}

const std::vector<DynamicPin>& dynamicPins(GstElement* element) {
    static const std::vector<DynamicPin> none;
    auto* pins =
        static_cast<std::vector<DynamicPin>*>(g_object_get_data(G_OBJECT(element), kPinsKey));
    return pins ? *pins : none;
}

QString displayNameOf(GstElement* element, const QByteArray& padName) {
    // A decoder output planned by media type ("video/") before it exists.
    if (padName.endsWith('/'))
        return QString::fromUtf8(padName.chopped(1));
    for (const DynamicPin& pin : dynamicPins(element))
        if (pin.padName == padName)
            return pin.displayName;
    return QString::fromUtf8(padName);
}

QByteArray padNameOf(GstElement* element, const QString& displayName) {
    for (const DynamicPin& pin : dynamicPins(element))
        if (pin.displayName.compare(displayName, Qt::CaseInsensitive) == 0)
            return pin.padName;
    return displayName.toUtf8();
}

QString pinMediaType(GstElement* element, const QByteArray& padName) {
    if (padName.endsWith('/'))
        return QString::fromUtf8(padName) + QStringLiteral("x-raw"); // a decoder's output
    if (GstPad* pad = gst_element_get_static_pad(element, padName.constData())) {
        QString type;
        if (GstCaps* caps = gst_pad_get_current_caps(pad)) {
            type = capsMediaType(caps);
            gst_caps_unref(caps);
        } else if (GstCaps* caps = gst_pad_query_caps(pad, nullptr)) {
            if (gst_caps_is_fixed(caps))
                type = capsMediaType(caps);
            gst_caps_unref(caps);
        }
        gst_object_unref(pad);
        if (!type.isEmpty())
            return type;
    }
    for (const DynamicPin& pin : dynamicPins(element))
        if (pin.padName == padName)
            return pin.mediaType;
    return {};
}

void planLink(GstElement* from, const QByteArray& padName, const QByteArray& mediaPrefix,
              GstPad* target) {
    PlanSet* set = plansOf(from);
    if (!set) {
        set = new PlanSet;
        g_object_set_data_full(G_OBJECT(from), kPlansKey, set, destroyPlans);
        g_signal_connect(from, "pad-added", G_CALLBACK(onPadAdded), nullptr);
    }
    std::lock_guard lock(set->mutex);
    set->plans.push_back({padName, mediaPrefix, GST_PAD(gst_object_ref(target))});
}

GstPad* plannedTargetOf(GstElement* from, const QByteArray& padName) {
    PlanSet* set = plansOf(from);
    if (!set)
        return nullptr;
    std::lock_guard lock(set->mutex);
    for (const Plan& plan : set->plans)
        if (plan.padName == padName)
            return plan.target;
    return nullptr;
}

bool hasPlans(GstElement* element) {
    PlanSet* set = plansOf(element);
    if (!set)
        return false;
    std::lock_guard lock(set->mutex);
    return !set->plans.empty();
}

bool plannedSourceOf(GstBin* graph, GstPad* sinkPad, GstElement** from, QByteArray* padName) {
    return visitAll<GstElement>(gst_bin_iterate_elements(graph), [&](GstElement* element) {
        PlanSet* set = plansOf(element);
        if (!set)
            return false;
        std::lock_guard lock(set->mutex);
        for (const Plan& plan : set->plans) {
            if (plan.target != sinkPad)
                continue;
            if (from)
                *from = element;
            if (padName)
                *padName = plan.padName.isEmpty() ? plan.mediaPrefix : plan.padName;
            return true;
        }
        return false;
    });
}

QString upstreamLocation(GstElement* element) {
    // Walk up through the first sink pad of each element to the file source.
    gst_object_ref(element);
    for (int depth = 0; element && depth < 16; ++depth) {
        if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), "location") &&
            GST_OBJECT_FLAG_IS_SET(element, GST_ELEMENT_FLAG_SOURCE)) {
            gchar* location = nullptr;
            g_object_get(element, "location", &location, nullptr);
            const QString result = QString::fromUtf8(location);
            g_free(location);
            gst_object_unref(element);
            return result;
        }
        GstElement* next = nullptr;
        visitAll<GstPad>(gst_element_iterate_sink_pads(element), [&](GstPad* pad) {
            if (GstPad* peer = gst_pad_get_peer(pad)) {
                next = gst_pad_get_parent_element(peer);
                gst_object_unref(peer);
            }
            return true; // the first input only
        });
        gst_object_unref(element);
        element = next;
    }
    if (element)
        gst_object_unref(element);
    return {};
}

} // namespace gstgraph

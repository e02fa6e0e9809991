// Filters and pins of a graph: naming, connection details, connecting two
// pins, and rendering downstream of a pin.
#include "support/media/default_sound_sink.h"
#include "support/media/gst_graph_private.h"
#include "support/media/missing_parts.h"
#include "support/probe/avi_header_reader.h"

#include <QFileInfo>

using namespace gstgraph;

namespace {

// Reference to the real pad of a pin; null while the pin exists only as a
// planned output of a demultiplexer.
GstPad* realPad(const PinInfo& pin) {
    return gst_element_get_static_pad(pin.element(), pin.padName().constData());
}

bool isKnownDynamicPin(const PinInfo& pin) {
    for (const DynamicPin& dynamic : dynamicPins(pin.element()))
        if (dynamic.padName == pin.padName())
            return true;
    return false;
}

GstBin* graphOf(GstElement* element) {
    return GST_BIN(GST_OBJECT_PARENT(element));
}

bool hasSometimesSourcePads(GstElement* element) {
    const GList* templates =
        gst_element_class_get_pad_template_list(GST_ELEMENT_GET_CLASS(element));
    for (const GList* item = templates; item; item = item->next) {
        auto* templ = GST_PAD_TEMPLATE(item->data);
        if (GST_PAD_TEMPLATE_DIRECTION(templ) == GST_PAD_SRC &&
            GST_PAD_TEMPLATE_PRESENCE(templ) == GST_PAD_SOMETIMES)
            return true;
    }
    return false;
}

// A file source reading a whole movie that announces its streams: any
// container but AVI, which the plain decoder has always played (decodebin3
// of GStreamer 1.22 fails AVI graphs stopped and run again, and aborts on
// a missing decoder).
bool announcesStreams(GstElement* source) {
    GstElementFactory* factory = gst_element_get_factory(source);
    if (!factory || QByteArray(GST_OBJECT_NAME(factory)) != "filesrc")
        return false;
    gchar* location = nullptr;
    g_object_get(source, "location", &location, nullptr);
    const QString path = QString::fromUtf8(location);
    g_free(location);
    return !AviHeaderReader::read(path).ok();
}

bool isPlannedOrLinked(GstBin* graph, GstPad* sinkPad) {
    return gst_pad_is_linked(sinkPad) || plannedSourceOf(graph, sinkPad, nullptr, nullptr);
}

// An input pin of a renderer of `kind` that nothing feeds yet.
GstPad* freeRendererInput(GstBin* graph, RendererKind kind) {
    GstPad* found = nullptr;
    visitAll<GstElement>(gst_bin_iterate_elements(graph), [&](GstElement* element) {
        if (rendererKind(element) != kind)
            return false;
        GstPad* input = gst_element_get_static_pad(element, "Input");
        if (input && !isPlannedOrLinked(graph, input))
            found = input;
        else if (input)
            gst_object_unref(input);
        return found != nullptr;
    });
    return found;
}

// A free renderer input of `kind`, adding a default renderer when the
// graph has none. Returns a new reference, or null.
GstPad* rendererInput(GstBin* graph, RendererKind kind) {
    if (GstPad* pad = freeRendererInput(graph, kind))
        return pad;
    GstElement* renderer =
        kind == RendererKind::Video
            ? makeVideoRenderer(QStringLiteral("Video Renderer"))
            : makeAudioOutput(QStringLiteral("Default Audio Output"), defaultsound::make());
    if (!renderer)
        return nullptr;
    gst_object_ref_sink(renderer);
    const bool added = addUnique(graph, renderer, GST_OBJECT_NAME(renderer));
    if (added)
        holdRenderer(renderer);
    GstPad* input = added ? gst_element_get_static_pad(renderer, "Input") : nullptr;
    gst_object_unref(renderer);
    return input;
}

// Links an output pin (real, or still to appear) to an input pad.
MediaStatus linkTo(const PinInfo& output, GstPad* input) {
    if (GstPad* pad = realPad(output)) {
        const GstPadLinkReturn result = gst_pad_link(pad, input);
        gst_object_unref(pad);
        if (result != GST_PAD_LINK_OK)
            return MediaStatus::failure(QStringLiteral("The pins cannot be connected (%1).")
                                            .arg(gst_pad_link_get_name(result)));
        if (GstElement* downstream = gst_pad_get_parent_element(input)) {
            releaseRenderer(downstream);
            gst_object_unref(downstream);
        }
        return MediaStatus::success();
    }
    if (!isKnownDynamicPin(output))
        return MediaStatus::failure(QStringLiteral("The pin does not exist."));
    planLink(output.element(), output.padName(), {}, input);
    return MediaStatus::success();
}

// The chosen subtitle track's text goes to a reader of its own.
void planTextReader(GstBin* graph, GstElement* decoder) {
    GstElement* reader = makeTextReader();
    if (!reader || !addUnique(graph, reader, QStringLiteral("Subtitle Reader")))
        return;
    GstPad* input = gst_element_get_static_pad(reader, "sink");
    planLink(decoder, {}, "text/", input);
    gst_object_unref(input);
    gst_element_sync_state_with_parent(reader);
}

MediaStatus exposeOutputs(GstElement* element) {
    if (!hasSometimesSourcePads(element) || !dynamicPins(element).empty())
        return MediaStatus::success();
    // decodebin finds its outputs by itself while the graph starts.
    if (QByteArray(GST_OBJECT_NAME(gst_element_get_factory(element))).startsWith("decodebin"))
        return MediaStatus::success();
    return probeDynamicPins(element, upstreamLocation(element));
}

} // namespace

// ---------------------------------------------------------------------------
// PinInfo

PinInfo::PinInfo(std::shared_ptr<GstElement> element, QByteArray padName)
    : element_(std::move(element)), padName_(std::move(padName)) {}

QString PinInfo::name() const {
    return element_ ? displayNameOf(element(), padName_) : QString();
}

PinDirection PinInfo::direction() const {
    if (GstPad* pad = element_ ? realPad(*this) : nullptr) {
        const bool input = GST_PAD_DIRECTION(pad) == GST_PAD_SINK;
        gst_object_unref(pad);
        return input ? PinDirection::Input : PinDirection::Output;
    }
    return PinDirection::Output; // only outputs exist before they appear
}

MediaResult<PinInfo> PinInfo::connectedTo() const {
    if (!element_)
        return MediaStatus::failure(QStringLiteral("No pin."));
    GstPad* pad = realPad(*this);
    if (pad) {
        GstPad* peer = gst_pad_get_peer(pad);
        if (peer) {
            GstElement* owner = gst_pad_get_parent_element(peer);
            PinInfo result(refElement(owner), GST_PAD_NAME(peer));
            if (owner)
                gst_object_unref(owner);
            gst_object_unref(peer);
            gst_object_unref(pad);
            return result;
        }
        if (GST_PAD_DIRECTION(pad) == GST_PAD_SINK) {
            GstElement* from = nullptr;
            QByteArray fromPad;
            const bool planned = plannedSourceOf(graphOf(element()), pad, &from, &fromPad);
            gst_object_unref(pad);
            if (planned)
                return PinInfo(refElement(from), fromPad);
            return MediaStatus::failure(QStringLiteral("The pin is not connected."));
        }
        gst_object_unref(pad);
    }
    if (GstPad* target = plannedTargetOf(element(), padName_)) {
        GstElement* owner = gst_pad_get_parent_element(target);
        PinInfo result(refElement(owner), GST_PAD_NAME(target));
        if (owner)
            gst_object_unref(owner);
        return result;
    }
    return MediaStatus::failure(QStringLiteral("The pin is not connected."));
}

MediaResult<MediaTypeInfo> PinInfo::connectionMediaType() const {
    const MediaResult<PinInfo> peer = connectedTo();
    if (!peer)
        return peer.status();
    const PinInfo& output = direction() == PinDirection::Output ? *this : peer.value();
    QString type = pinMediaType(output.element(), output.padName());
    if (type.isEmpty())
        type = QStringLiteral("application/octet-stream"); // a file's raw bytes
    return MediaTypeInfo(type);
}

FilterInfo PinInfo::filterInfo() const {
    return FilterInfo(element_);
}

bool PinInfo::operator==(const PinInfo& other) const {
    return element_ == other.element_ && padName_ == other.padName_;
}

MediaStatus PinInfo::connect(const PinInfo& other) const {
    if (isNull() || other.isNull())
        return MediaStatus::failure(QStringLiteral("No pin selected."));
    if (direction() == other.direction())
        return MediaStatus::failure(QStringLiteral("Both pins have the same direction."));
    const PinInfo& output = direction() == PinDirection::Output ? *this : other;
    const PinInfo& input = direction() == PinDirection::Output ? other : *this;
    GstPad* inputPad = realPad(input);
    if (!inputPad)
        return MediaStatus::failure(QStringLiteral("The input pin does not exist."));
    if (isPlannedOrLinked(graphOf(input.element()), inputPad)) {
        gst_object_unref(inputPad);
        return MediaStatus::failure(QStringLiteral("The input pin is already connected."));
    }
    MediaStatus status = linkTo(output, inputPad);
    gst_object_unref(inputPad);
    if (!status)
        return status;
    return exposeOutputs(input.element());
}

MediaStatus PinInfo::render() const {
    if (isNull())
        return MediaStatus::failure(QStringLiteral("No pin selected."));
    if (direction() != PinDirection::Output)
        return MediaStatus::failure(QStringLiteral("Only output pins can be rendered."));
    if (connectedTo())
        return MediaStatus::failure(QStringLiteral("The pin is already connected."));
    GstBin* graph = graphOf(element());
    const QString type = pinMediaType(element(), padName_);

    // Raw pictures and sound go straight to a renderer.
    for (auto [prefix, kind] : {std::pair{"video/x-raw", RendererKind::Video},
                                std::pair{"audio/x-raw", RendererKind::Audio}}) {
        if (!type.startsWith(QLatin1String(prefix)))
            continue;
        GstPad* input = rendererInput(graph, kind);
        if (!input)
            return MediaStatus::failure(QStringLiteral("No renderer for %1.").arg(type));
        MediaStatus status = linkTo(*this, input);
        gst_object_unref(input);
        return status;
    }

    // Anything else is decoded first; the decoder's outputs appear while
    // the graph starts and go to the renderers chosen now.
    // A whole file goes to the decoder that announces its streams and
    // switches between them while it plays; a demultiplexer's single
    // stream to the plain one.
    const bool wholeFile = announcesStreams(element());
    GstElement* decoder = missingparts::make(wholeFile ? "decodebin3" : "decodebin");
    if (!decoder || !addUnique(graph, decoder, QStringLiteral("Decoder")))
        return MediaStatus::failure(QStringLiteral("No decoder is available."));
    if (wholeFile)
        chooseStreamsFor(decoder);
    GstPad* decoderInput = gst_element_get_static_pad(decoder, "sink");
    MediaStatus status = linkTo(*this, decoderInput);
    gst_object_unref(decoderInput);
    if (!status) {
        gst_bin_remove(graph, decoder);
        return status;
    }
    const bool unknown =
        !type.startsWith(QLatin1String("video/")) && !type.startsWith(QLatin1String("audio/"));
    for (auto [prefix, kind] :
         {std::pair{"video/", RendererKind::Video}, std::pair{"audio/", RendererKind::Audio}}) {
        if (!unknown && !type.startsWith(QLatin1String(prefix)))
            continue;
        if (GstPad* input = rendererInput(graph, kind)) {
            planLink(decoder, {}, prefix, input);
            gst_object_unref(input);
        }
    }
    if (wholeFile)
        planTextReader(graph, decoder);
    gst_element_sync_state_with_parent(decoder);
    return MediaStatus::success();
}

// ---------------------------------------------------------------------------
// FilterInfo

QString FilterInfo::name() const {
    return element_ ? QString::fromUtf8(GST_OBJECT_NAME(element())) : QString();
}

QString FilterInfo::vendorInfo() const {
    if (!element_)
        return {};
    if (rendererKind(element()) != RendererKind::None)
        return QStringLiteral("Vantor Meridian");
    GstElementFactory* factory = gst_element_get_factory(element());
    if (!factory)
        return {};
    return QString::fromUtf8(
        gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_AUTHOR));
}

QList<PinInfo> FilterInfo::pins() const {
    QList<PinInfo> sinks, sources;
    if (!element_)
        return {};
    visitAll<GstPad>(gst_element_iterate_pads(element()), [&](GstPad* pad) {
        PinInfo pin(element_, GST_PAD_NAME(pad));
        (GST_PAD_DIRECTION(pad) == GST_PAD_SINK ? sinks : sources).append(pin);
    });
    // Known demultiplexer outputs come in stream order, whether or not
    // their pads exist yet.
    QList<PinInfo> result = sinks;
    for (const DynamicPin& dynamic : dynamicPins(element()))
        result.append(PinInfo(element_, dynamic.padName));
    for (const PinInfo& pin : sources)
        if (!result.contains(pin))
            result.append(pin);
    return result;
}

bool FilterInfo::isFileSource() const {
    GstElementFactory* factory = element_ ? gst_element_get_factory(element()) : nullptr;
    return factory && QByteArray(GST_OBJECT_NAME(factory)) == "filesrc";
}

QList<FilterProperty> FilterInfo::properties() const {
    QList<FilterProperty> result;
    if (!element_)
        return result;
    guint count = 0;
    GParamSpec** params = g_object_class_list_properties(G_OBJECT_GET_CLASS(element()), &count);
    for (guint i = 0; i < count; ++i) {
        GParamSpec* param = params[i];
        if (!(param->flags & G_PARAM_READABLE))
            continue;
        FilterProperty property;
        property.name = QString::fromUtf8(param->name);
        property.typeName = QString::fromUtf8(g_type_name(param->value_type));
        property.description = QString::fromUtf8(g_param_spec_get_blurb(param));
        property.writable = (param->flags & G_PARAM_WRITABLE) &&
                            !(param->flags & G_PARAM_CONSTRUCT_ONLY) &&
                            param->value_type != G_TYPE_OBJECT;
        GValue value = G_VALUE_INIT;
        g_value_init(&value, param->value_type);
        g_object_get_property(G_OBJECT(element()), param->name, &value);
        // Text is shown as it is, not in the framework's quoted form.
        gchar* text =
            G_VALUE_HOLDS_STRING(&value) ? g_value_dup_string(&value) : gst_value_serialize(&value);
        if (!text && !G_VALUE_HOLDS_STRING(&value))
            text = g_strdup_value_contents(&value);
        property.value = QString::fromUtf8(text);
        g_free(text);
        g_value_unset(&value);
        result.append(property);
    }
    g_free(params);
    return result;
}

MediaStatus FilterInfo::setProperty(const QString& name, const QString& value) const {
    if (!element_)
        return MediaStatus::failure(QStringLiteral("No filter."));
    GParamSpec* param =
        g_object_class_find_property(G_OBJECT_GET_CLASS(element()), name.toUtf8().constData());
    if (!param || !(param->flags & G_PARAM_WRITABLE) || (param->flags & G_PARAM_CONSTRUCT_ONLY))
        return MediaStatus::failure(QStringLiteral("\"%1\" cannot be changed.").arg(name));
    GValue parsed = G_VALUE_INIT;
    g_value_init(&parsed, param->value_type);
    bool valid = true;
    if (G_VALUE_HOLDS_STRING(&parsed))
        g_value_set_string(&parsed, value.toUtf8().constData());
    else
        valid = gst_value_deserialize(&parsed, value.toUtf8().constData());
    valid = valid && !g_param_value_validate(param, &parsed);
    if (valid)
        g_object_set_property(G_OBJECT(element()), param->name, &parsed);
    g_value_unset(&parsed);
    if (!valid)
        return MediaStatus::failure(
            QStringLiteral("\"%1\" is not a valid value for %2.").arg(value, name));
    return MediaStatus::success();
}

// ---------------------------------------------------------------------------
// Building a graph

MediaResult<FilterInfo> FilterGraph::addSourceFilter(const QString& path) {
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile() || !file.isReadable())
        return MediaStatus::failure(QStringLiteral("Cannot open the file \"%1\".").arg(path));
    GstElement* existing = gst_bin_get_by_name(GST_BIN(pipeline_), path.toUtf8().constData());
    if (existing) {
        gst_object_unref(existing);
        return MediaStatus::failure(QStringLiteral("\"%1\" is already in the graph.").arg(path));
    }
    GstElement* source = missingparts::make("filesrc");
    if (!source)
        return MediaStatus::failure(QStringLiteral("No file source is available."));
    g_object_set(source, "location", path.toUtf8().constData(), nullptr);
    if (!addUnique(GST_BIN(pipeline_), source, path))
        return MediaStatus::failure(QStringLiteral("Cannot add the file source."));
    return FilterInfo(refElement(source));
}

MediaStatus FilterGraph::renderFile(const QString& path) {
    const MediaResult<FilterInfo> source = addSourceFilter(path);
    if (!source)
        return source.status();
    const QList<PinInfo> pins = source.value().pins();
    if (pins.isEmpty())
        return MediaStatus::failure(QStringLiteral("The file source has no output."));
    return pins.first().render();
}

QList<FilterInfo> FilterGraph::filterCollection() const {
    QList<FilterInfo> result;
    // Newest first, as the graph keeps them.
    visitAll<GstElement>(gst_bin_iterate_elements(GST_BIN(pipeline_)), [&](GstElement* element) {
        result.append(FilterInfo(refElement(element)));
    });
    return result;
}

MediaStatus FilterGraph::removeFilter(const FilterInfo& filter) {
    if (filter.isNull() || GST_OBJECT_PARENT(filter.element()) != GST_OBJECT(pipeline_))
        return MediaStatus::failure(QStringLiteral("The filter is not in this graph."));
    gst_element_set_locked_state(filter.element(), TRUE);
    gst_element_set_state(filter.element(), GST_STATE_NULL);
    gst_bin_remove(GST_BIN(pipeline_), filter.element());
    return MediaStatus::success();
}

#include "live_objects.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <gst/gst.h>
#include <unistd.h>

const char* LiveObjects::tracerSetting() {
    return "leaks(filters=\"GstElement,GstBuffer\",log-leaks-on-deinit=false)";
}

LiveObjects::LiveObjects() {
    GList* tracers = gst_tracing_get_active_tracers();
    for (GList* item = tracers; item; item = item->next) {
        if (!tracer_ && g_str_equal(G_OBJECT_TYPE_NAME(item->data), "GstLeaksTracer"))
            tracer_ = GST_TRACER(gst_object_ref(item->data));
    }
    g_list_free_full(tracers, gst_object_unref);
    if (tracer_)
        g_signal_emit_by_name(tracer_, "activity-start-tracking");
}

LiveObjects::~LiveObjects() {
    if (!tracer_)
        return;
    g_signal_emit_by_name(tracer_, "activity-stop-tracking");
    gst_object_unref(tracer_);
}

namespace {
// Calls `visit(address, typeName)` for each entry of a checkpoint list.
template <class Visit>
void forEachLogged(const GstStructure* checkpoint, const char* field, Visit visit) {
    const GValue* list = gst_structure_get_value(checkpoint, field);
    for (guint i = 0; list && i < gst_value_list_get_size(list); ++i) {
        const GstStructure* entry = gst_value_get_structure(gst_value_list_get_value(list, i));
        visit(QString::fromUtf8(gst_structure_get_string(entry, "address")),
              QString::fromUtf8(gst_structure_get_string(entry, "type-name")));
    }
}
} // namespace

void LiveObjects::update() {
    if (!tracer_)
        return;
    GstStructure* checkpoint = nullptr;
    g_signal_emit_by_name(tracer_, "activity-get-checkpoint", &checkpoint);
    if (!checkpoint)
        return;
    forEachLogged(checkpoint, "objects-created-list",
                  [this](const QString& address, const QString& type) {
                      ++count_[address];
                      typeNames_[address] = type;
                  });
    forEachLogged(checkpoint, "objects-removed-list",
                  [this](const QString& address, const QString&) {
                      // Objects from before counting began are not counted.
                      auto it = count_.find(address);
                      if (it != count_.end() && --it.value() <= 0) {
                          count_.erase(it);
                          typeNames_.remove(address);
                      }
                  });
    gst_structure_free(checkpoint);
}

int LiveObjects::aliveOf(const char* baseType) {
    update();
    const GType base = g_type_from_name(baseType);
    int total = 0;
    for (auto it = count_.cbegin(); it != count_.cend(); ++it) {
        const GType type = g_type_from_name(typeNames_.value(it.key()).toUtf8().constData());
        if (base && type && g_type_is_a(type, base))
            total += it.value();
    }
    return total;
}

namespace proc {

long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

int openDescriptors() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

int threads() {
    // Idle threads GLib keeps for reuse are not the player's.
    g_thread_pool_stop_unused_threads();
    QThread::msleep(20);
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

} // namespace proc

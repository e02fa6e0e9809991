#pragma once
// What a process holds: GStreamer objects alive, memory, descriptors, threads (tests and bench).
#include <QHash>
#include <QString>

typedef struct _GstTracer GstTracer;

class LiveObjects {
  public:
    // The tracer settings to put in GST_TRACERS before gst_init().
    static const char* tracerSetting();

    // Finds the active leaks tracer and starts counting from now.
    LiveObjects();
    ~LiveObjects();
    LiveObjects(const LiveObjects&) = delete;
    LiveObjects& operator=(const LiveObjects&) = delete;

    // Takes in what the tracer saw since the last call (it keeps records until then).
    void update();
    // Objects created since counting began and still alive that are of `baseType`
    // ("GstElement" takes in pipelines and bins).
    int aliveOf(const char* baseType);
    int aliveElements() { return aliveOf("GstElement"); }
    int alivePipelines() { return aliveOf("GstPipeline"); }
    int aliveBuffers() { return aliveOf("GstBuffer"); }

  private:
    GstTracer* tracer_ = nullptr;
    QHash<QString, int> count_;         // address -> created minus destroyed
    QHash<QString, QString> typeNames_; // address -> type name
};

namespace proc {
// Resident memory of this process in KiB.
long residentKiB();
int openDescriptors();
// Threads but GLib's idle ones; a streaming thread just stopped takes a moment.
int threads();
} // namespace proc

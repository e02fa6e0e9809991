#include "support/trace/first_frame_trace.h"

#include <QByteArray>
#include <QFile>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <unistd.h>

namespace firstframe {

namespace {

double bootMs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The kernel's start time of this process, on the same boot clock (in
// clock ticks: a resolution of 10 ms, enough to see what the loader took).
double processStartMs() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return bootMs();
    const QByteArray line = stat.readAll();
    // The command name may hold spaces; the fields count from its ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int kStartTimeField = 22 - 3; // field 22 of the whole line
    if (fields.size() <= kStartTimeField)
        return bootMs();
    return fields[kStartTimeField].toDouble() * 1e3 / double(sysconf(_SC_CLK_TCK));
}

struct Trace {
    bool on = qEnvironmentVariableIsSet("VANTOR_TRACE_FIRST_FRAME");
    double start = on ? processStartMs() : 0;
    double last = start;
    std::atomic_bool done{false};
    std::mutex mutex;
};

Trace& trace() {
    static Trace instance;
    return instance;
}

} // namespace

void mark(const char* step) {
    Trace& t = trace();
    if (!t.on || t.done)
        return;
    std::lock_guard lock(t.mutex);
    const double now = bootMs();
    fprintf(stderr, "first-frame %7.1f ms (+%.1f)  %s\n", now - t.start, now - t.last, step);
    t.last = now;
    if (QByteArray(step) == "frame painted")
        t.done = true;
}

} // namespace firstframe

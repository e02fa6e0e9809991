#include "app/exit_deadline.h"

#include <cerrno>
#include <ctime>
#include <thread>
#include <unistd.h>

namespace {
// Kept open for the life of the process: the watcher blocks on it, and a
// descriptor closed under it could be reused by anything.
int deadlinePipe[2] = {-1, -1};

void watch() {
    char byte = 0;
    ssize_t got = 0;
    do
        got = ::read(deadlinePipe[0], &byte, 1);
    while (got < 0 && errno == EINTR);
    if (got != 1)
        return;
    timespec grace{ExitDeadline::kGraceMs / 1000, (ExitDeadline::kGraceMs % 1000) * 1000000L};
    while (nanosleep(&grace, &grace) != 0 && errno == EINTR) {
    }
    // The orderly exit did not finish in time; what it saved is saved.
    ::_exit(0);
}
} // namespace

void ExitDeadline::install() {
    if (deadlinePipe[0] >= 0 || ::pipe(deadlinePipe) != 0)
        return;
    std::thread(watch).detach();
}

void ExitDeadline::start() {
    if (deadlinePipe[1] < 0)
        return;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(deadlinePipe[1], &byte, 1);
}

#pragma once
// Timestamps along the way from the start of the process to the first
// frame on screen. Set VANTOR_TRACE_FIRST_FRAME=1 and each step prints
// once to the standard error, as milliseconds since the process started:
//
//   first-frame   41.2 ms (+41.2)  main
//
// Steps after the first frame has been painted are not printed, so the
// trace costs nothing once the movie plays. Any thread may mark a step.
namespace firstframe {

void mark(const char* step);

} // namespace firstframe

#pragma once
// How many threads FFmpeg's video decoders use. Frame threading keeps a
// picture in flight for each thread and holds back the first picture by as
// many: for a picture up to full HD one core decodes in real time (1080p
// H.264 here: 9 ms a frame), so one thread decodes it, with about 19 MiB
// less memory at 1080p and the first picture a frame sooner. Larger
// pictures keep FFmpeg's choice of one thread a core.
#include <QSize>

typedef struct _GstElement GstElement;

// Threads for a picture of `size`: 1 up to full HD, 0 (FFmpeg's choice)
// above it.
int decoderThreadsFor(QSize size);

// For a decoder just added to a graph: sets its threads from each picture
// size it is told, before it opens for that size. Other elements are left
// alone.
void watchDecoderThreads(GstElement* element);

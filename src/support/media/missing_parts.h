#pragma once
// GStreamer parts that are not installed: which Debian package holds them,
// and which one the graph being built found missing, so that the user is
// told what to install instead of being told the file is at fault.
#include <QString>

struct _GstElement;
using GstElement = struct _GstElement;

namespace missingparts {

// The Debian package holding the element `factory`; empty when unknown.
QString packageForElement(const QString& factory);
// The Debian package holding a decoder for caps of media type `type`
// ("video/x-h264"); empty when unknown.
QString packageForFormat(const QString& type);

// Makes the element, noting its factory as missing when it cannot be made.
GstElement* make(const char* factory, const char* name = nullptr);
// The first element noted missing since the last call, and forgets it.
QString takeMissing();

} // namespace missingparts

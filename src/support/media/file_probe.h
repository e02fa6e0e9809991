#pragma once
// A short-lived pipeline that reads the start of a file through one element
// (a parser or a demultiplexer) to learn what the file holds before the real
// graph is built. Framework side: only support/*.cpp include this.
#include <QString>
#include <gst/gst.h>

class FileProbe {
  public:
    // `reader` is floating, and the probe takes it over.
    FileProbe(const QString& path, GstElement* reader);
    ~FileProbe();
    FileProbe(const FileProbe&) = delete;
    FileProbe& operator=(const FileProbe&) = delete;

    // False when the elements could not be made or the reader does not take
    // a file's bytes.
    bool isReady() const { return ready_; }
    GstElement* pipeline() const { return pipeline_; }
    GstElement* reader() const { return reader_; }

    // Pauses the pipeline and waits at most `timeoutMs` for an error or a
    // message of the `until` types. Returns the type that ended the wait,
    // GST_MESSAGE_UNKNOWN when the time ran out; after an error, error()
    // gives its words.
    GstMessageType pauseUntil(GstMessageType until, int timeoutMs);
    const QString& error() const { return error_; }

  private:
    GstElement* pipeline_ = nullptr;
    GstElement* reader_ = nullptr;
    bool ready_ = false;
    QString error_;
};

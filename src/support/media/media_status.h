#pragma once
// Outcome of a media framework call. Callers decide whether a failure is
// shown, falls back, or is skipped; nothing here throws or aborts.
#include <QString>
#include <optional>
#include <utility>

class MediaStatus {
  public:
    static MediaStatus success() { return MediaStatus(); }
    static MediaStatus failure(QString message) { return MediaStatus(std::move(message)); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return error_; }

  private:
    MediaStatus() = default;
    explicit MediaStatus(QString message) : failed_(true), error_(std::move(message)) {}
    bool failed_ = false;
    QString error_;
};

// A value, or the reason there is none.
template <class T> class MediaResult {
  public:
    MediaResult(T value) : value_(std::move(value)) {}
    MediaResult(const MediaStatus& failure) : error_(failure.error()) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T valueOr(T fallback) const { return value_ ? *value_ : std::move(fallback); }
    const QString& error() const { return error_; }
    MediaStatus status() const {
        return ok() ? MediaStatus::success() : MediaStatus::failure(error_);
    }

  private:
    std::optional<T> value_;
    QString error_;
};

#pragma once
// Chapters of the current movie: the time texts of its side file, with the
// selected entry being the next chapter boundary.
#include "support/models/selectable_list.h"

#include <QString>
#include <QStringList>
#include <functional>

class ChapterList {
  public:
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;
    static constexpr int kMaxLineLength = 4096;
    static constexpr int kMaxEntries = 10000;

    SelectableList ListChap;
    // Told why a side file was refused or read in part.
    std::function<void(const QString&)> warn;

    // The side file's name for a movie: its base name (no folder, without
    // the last four characters) followed by ".vcx".
    static QString sideFileName(const QString& movieFileName);
    // The entries of a chapter file: each line or comma-separated field is
    // one entry; quoted fields keep their commas. Missing file: none, and
    // no problem. A file over kMaxFileBytes or that cannot be read: none;
    // lines over kMaxLineLength are skipped, and at most kMaxEntries are
    // kept. `problem` says what was refused or left out.
    static QStringList readEntries(const QString& path, QString* problem = nullptr);

    // Clears the list and fills it from the side file in `folder`.
    void load(const QString& movieFileName, const QString& folder);
    // The movie's own chapters (their starts in seconds) fill the list
    // when no side file did.
    void takeContainerChapters(const QList<double>& starts);

    // The position moved: the selection goes past every boundary passed.
    void tick(const QString& positionText);
    // A seek on the bar to `seconds`.
    void seekedTo(double seconds);
    // Time text to jump to for the next or previous chapter; empty when
    // there is none. They move the selection as they go.
    QString next(const QString& positionText);
    QString previous();
};

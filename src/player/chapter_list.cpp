#include "player/chapter_list.h"

#include "player/time_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

QString ChapterList::sideFileName(const QString& movieFileName) {
    const qsizetype slash = std::max(movieFileName.lastIndexOf(QLatin1Char('/')),
                                     movieFileName.lastIndexOf(QLatin1Char('\\')));
    QString base = movieFileName.mid(slash + 1);
    base.chop(std::min<qsizetype>(4, base.size()));
    return base + QStringLiteral(".vcx");
}

namespace {
// Splits one line into fields at commas outside double quotes.
QStringList fieldsOf(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false, wasQuoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            wasQuoted = true;
        } else if (c == QLatin1Char(',') && !quoted) {
            fields << (wasQuoted ? field : field.trimmed());
            field.clear();
            wasQuoted = false;
        } else {
            field += c;
        }
    }
    fields << (wasQuoted ? field : field.trimmed());
    return fields;
}
} // namespace

QStringList ChapterList::readEntries(const QString& path, QString* problem) {
    QString ignored;
    QString& why = problem ? *problem : ignored;
    why.clear();
    QFile file(path);
    QStringList entries;
    if (!file.exists())
        return entries;
    const QString name = QFileInfo(path).fileName();
    // A chapter file is a few lines of times: anything bigger is not one,
    // and reading it would hold up the open.
    if (file.size() > kMaxFileBytes) {
        why = QStringLiteral("%1 is far too big to be a chapter file.").arg(name);
        return entries;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        why =
            QStringLiteral("The chapter file %1 cannot be read: %2").arg(name, file.errorString());
        return entries;
    }
    QTextStream in(&file);
    int longLines = 0;
    while (!in.atEnd() && entries.size() < kMaxEntries) {
        // The file's bound is the line's too.
        const QString line = in.readLine();
        if (line.size() > kMaxLineLength)
            ++longLines;
        else if (!line.trimmed().isEmpty())
            entries << fieldsOf(line);
    }
    if (entries.size() > kMaxEntries)
        entries.resize(kMaxEntries);
    if (longLines > 0)
        why = QStringLiteral("%1 line(s) of %2 are too long to be chapters: skipped.")
                  .arg(longLines)
                  .arg(name);
    return entries;
}

void ChapterList::load(const QString& movieFileName, const QString& folder) {
    ListChap.clear();
    QString problem;
    for (const QString& entry :
         readEntries(QDir(folder).filePath(sideFileName(movieFileName)), &problem))
        ListChap.addItem(entry);
    if (!problem.isEmpty() && warn)
        warn(problem);
}

void ChapterList::takeContainerChapters(const QList<double>& starts) {
    if (ListChap.count() > 0)
        return; // the side file is the user's choice
    for (const double start : starts)
        ListChap.addItem(formatTime(qint64(start)));
}

void ChapterList::tick(const QString& positionText) {
    // With nothing selected the selected time reads 0, so tracking starts
    // with the first tick past the movie's start.
    // It walks as far as the position: ticks come once a second, and after
    // a seek the position may be several chapters on.
    const double at = HtoSec(positionText);
    while (at > HtoSec(ListChap.text()) && ListChap.listIndex() + 1 < ListChap.count())
        ListChap.setListIndex(ListChap.listIndex() + 1);
}

void ChapterList::seekedTo(double seconds) {
    if (ListChap.count() == 0)
        return;
    // Back to the first boundary; the tick walks forward from there.
    const double t0 = HtoSec(ListChap.item(0));
    const double t1 = HtoSec(ListChap.item(1));
    ListChap.setListIndex(0);
    if (ListChap.count() > 1 && seconds > t1 && seconds <= t0)
        ListChap.setListIndex(1);
}

QString ChapterList::next(const QString& positionText) {
    const int index = ListChap.listIndex();
    if (ListChap.count() == 0 || index == ListChap.count() - 1)
        return {};
    if (index >= 0 && ListChap.text() == positionText)
        ListChap.setListIndex(index + 1);
    else if (index < 0)
        ListChap.setListIndex(0);
    return ListChap.text();
}

QString ChapterList::previous() {
    const int index = ListChap.listIndex();
    if (index <= 0)
        return {};
    ListChap.setListIndex(index - 1);
    return ListChap.text();
}

#pragma once
// Interactive menu files (".vmu"): one record a line, its kind the first four
// letters in any case, its value at a fixed place. "Butt" lines give the hot
// spots ("xxx,yyy,xxx,yyy" in the background's pixels, three digits each),
// "1stA"/"1stP" and "2ndA"/"2ndP" their actions, "File" the background and
// "Capt" the caption. The parser is a plain function from text to the
// model; nothing is checked between lists, so a hot spot may lack actions.
#include <QString>
#include <QStringList>
#include <optional>

struct MenuFile {
    QStringList Project; // every non-empty line, as read
    QStringList Button;  // "xxx,yyy,xxx,yyy", the last 15 characters of a "Butt" line
    QStringList List1stA, List1stP, List2ndA, List2ndP;
    QString MenuFileName; // the background, movie or picture
    QString MovieName;    // the caption
    // Times that open a "2ndP" value ("00:12:30:film.avi"): chapters.
    QStringList chapterTimes;
    int skippedLines = 0; // too long to be a record
};

// A line longer than this is no record and is skipped.
inline constexpr int kMaxMenuLine = 4096;

MenuFile parseMenuText(const QString& text);

struct MenuRead {
    std::optional<MenuFile> menu; // empty when the file could not be read
    QString problem;
};
MenuRead readMenuFile(const QString& path);

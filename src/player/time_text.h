#pragma once
// Times as the player shows and compares them: "hh:mm:ss".
#include <QString>

// "00:00:00" from whole seconds; hours take more digits past 99. Negative
// values show as 0.
QString formatTime(qint64 seconds);

// Seconds from a time text read at fixed places: hours from characters 1-2,
// minutes from 4-5, seconds from the last two; text that is not a number
// there counts as 0.
double HtoSec(const QString& text);
inline double Str2Second(const QString& text) {
    return HtoSec(text);
}

// The leading number of `text` as a decimal (spaces first are skipped);
// 0 when it does not start with one.
double leadingNumber(const QString& text);

#pragma once
// Frame-rate probe for movies the media detector cannot read. A file is
// opened as a device under an alias, asked for its length in frames and in
// milliseconds, and closed again. The devices are the player's own reader of
// AVI headers: nothing is decoded, played or shown.
//
// Failures are return values only: an error text instead of "Success", or
// -1 instead of a number.
#include <QString>
#include <QtGlobal>

// What MciOpen and MciClose return when they succeed.
inline const QString kMciSuccess = QStringLiteral("Success");

// Opens `fileName` under `alias` (any letter case; one device per alias).
// `parentWindow` and `deviceType` are kept with the device but change
// nothing: the probe never makes a window, and its only kind of device reads
// AVI headers, so a file of another kind fails on its contents whatever type
// is named.
QString MciOpen(quintptr parentWindow, const QString& alias, const QString& fileName,
                const QString& deviceType);
// "Success", or an error text when `alias` is not open.
QString MciClose(const QString& alias);

// Frames of the movie; -1 when the alias is not open or the count does not
// fit in 32 bits.
qint32 MciGetFrames(const QString& alias);
// Length in whole milliseconds; -1 when the alias is not open or the file
// gives no frame rate.
qint32 MciGetLengthMs(const QString& alias);
// Whole frames per second from the two above; -1 when either is -1 or the
// length is 0.
qint32 MciGetFrameRate(const QString& alias);

// frames ÷ (lengthMs ÷ 1000), rounded to the nearest integer with halves to
// the even neighbour (23.976 gives 24, 24.5 gives 24, 25.5 gives 26); -1 for
// a negative count, a length of 0 or less, or a result beyond 32 bits.
qint32 frameRateFromLength(qint32 frames, qint32 lengthMs);

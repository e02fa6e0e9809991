#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

namespace testsupport {

// Runs `body` in a forked child, whose limits bind the code under test alone; returns its result.
QByteArray inChild(const std::function<QByteArray()>& body);
// For inChild bodies: a write past `bytes` fails with EFBIG.
void limitFileSize(qint64 bytes);
// A private tmpfs of `kib` KiB on `folder`, gone with the child; false when not allowed.
bool mountSmallDisk(const QString& folder, int kib);
// Fills the disk holding `folder` until a write fails.
void fillDisk(const QString& folder);
// As root, gives `folder` to an ordinary user and becomes that user.
bool becomeOrdinaryUser(const QString& folder);

} // namespace testsupport

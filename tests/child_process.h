#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

namespace testsupport {

// Runs `body` in a forked child and returns what it returned: disk space, file
// size or permissions go from the code under test, not from the test.
QByteArray inChild(const std::function<QByteArray()>& body);
// For inChild bodies: a write past `bytes` fails with EFBIG.
void limitFileSize(qint64 bytes);
// A private tmpfs of `kib` KiB on `folder`, gone with the child; false
// when the system does not allow the mount.
bool mountSmallDisk(const QString& folder, int kib);
// Fills the disk holding `folder` until a write fails.
void fillDisk(const QString& folder);
// As root, gives `folder` to an ordinary user and becomes that user.
bool becomeOrdinaryUser(const QString& folder);

} // namespace testsupport

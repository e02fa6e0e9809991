#pragma once
// Taking disk space, file size or permissions away from the code under test
// without taking them from the test program: the code runs in a forked child.
#include <QByteArray>
#include <QString>
#include <functional>

namespace testsupport {

// Runs `body` in a forked child and returns what it returned, so that a
// test can take disk space, file size or permissions away from the code
// under test without taking them from itself. The child never returns.
QByteArray inChild(const std::function<QByteArray()>& body);
// For inChild bodies. Regular files stop growing at `bytes`: a write past
// that fails with EFBIG. The limit can be lifted again.
void limitFileSize(qint64 bytes);
// A private tmpfs of `kib` KiB on `folder`, gone with the child; false
// when the system does not allow the mount.
bool mountSmallDisk(const QString& folder, int kib);
// Fills the disk holding `folder` until a write fails.
void fillDisk(const QString& folder);
// Makes `folder` the ordinary user's (and the folder above it passable)
// and becomes that user, when running as root (whom permissions do not
// stop); false when that fails.
bool becomeOrdinaryUser(const QString& folder);

} // namespace testsupport

#include "child_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

QByteArray inChild(const std::function<QByteArray()>& body) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const QByteArray result = body();
        for (qsizetype done = 0; done < result.size();) {
            const ssize_t n = write(pipeEnds[1], result.constData() + done, result.size() - done);
            if (n <= 0)
                _exit(3);
            done += n;
        }
        _exit(0); // no test teardown, no leak check: the parent does those
    }
    close(pipeEnds[1]);
    QByteArray result;
    char buffer[65536];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) != 0;)
        if (n > 0)
            result.append(buffer, n);
        else if (errno != EINTR)
            break;
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return result;
}

void limitFileSize(qint64 bytes) {
    signal(SIGXFSZ, SIG_IGN); // a failing write, not a killed process
    const rlimit limit{rlim_t(bytes), RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
}

bool mountSmallDisk(const QString& folder, int kib) {
    const QByteArray options = "size=" + QByteArray::number(kib) + "k";
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) ==
               0;
}

void fillDisk(const QString& folder) {
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    const QByteArray byte(1, 'f');
    while (filler.write(byte) == 1) {
    }
}

bool becomeOrdinaryUser(const QString& folder) {
    if (geteuid() != 0)
        return true;
    constexpr uid_t kNobody = 65534;
    // The folder above is a test's private one: the user must get through it.
    const QString above = QFileInfo(folder).absolutePath();
    QFile::setPermissions(above, QFile::permissions(above) | QFileDevice::ExeOther);
    const QByteArray path = QFile::encodeName(folder);
    return chown(path.constData(), kNobody, kNobody) == 0 && setgroups(0, nullptr) == 0 &&
           setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

} // namespace testsupport

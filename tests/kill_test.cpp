// The files the player writes survive a SIGKILL at any moment of a write.
#include "child_process.h"
#include "playlist/playlist_file.h"
#include "support/models/selectable_list.h"
#include "support/registry/registry_store.h"
#include "support/settings/settings_store.h"
#include "test_support.h"
#include "video/dar_presets.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kEntries = 3000; // a kill often lands in the middle of a write
#ifdef __SANITIZE_ADDRESS__
constexpr int kKills = 25; // each write takes several times longer
#else
constexpr int kKills = 50;
#endif

QString text(int version, int i) {
    return QStringLiteral("%1 entry %2 of version %1 with some text to make it long")
        .arg(version)
        .arg(i);
}

void writeVersion(const QString& kind, const QString& path, int version) {
    if (kind == QLatin1String("settings")) {
        QList<std::pair<QString, QString>> values;
        for (int i = 0; i < kEntries / 10; ++i)
            values.append({QStringLiteral("Key%1").arg(i), text(version, i)});
        SettingsStore(path).writeAll(values);
    } else if (kind == QLatin1String("registry")) {
        const QString key = QStringLiteral("Software\\Vantor");
        QList<RegistryChange> changes{
            {RegistryChange::CreateKey, reg::HKEY_CURRENT_USER, key, {}, reg::REG_NONE, {}, 0}};
        for (int i = 0; i < kEntries / 10; ++i)
            changes.append({RegistryChange::SetValue, reg::HKEY_CURRENT_USER, key,
                            QStringLiteral("Value%1").arg(i), reg::REG_SZ,
                            text(version, i).toUtf8(), 0});
        RegistryStore(path).apply(changes);
    } else if (kind == QLatin1String("playlist")) {
        QStringList entries;
        for (int i = 0; i < kEntries; ++i)
            entries.append(QStringLiteral("/films/") + text(version, i) + QStringLiteral(".avi"));
        writePlaylistFile(path, entries);
    } else if (kind == QLatin1String("dar")) {
        SelectableList list;
        DarPresets presets(list);
        for (int i = 1; i <= 9; ++i)
            presets.add(QStringLiteral("%1/%2").arg(i + version).arg(i));
        presets.save(path);
    }
}

// A hundred store values named after `tag`, one write each.
void writeValues(const QString& kind, const QString& path, const QString& tag) {
    if (kind == QLatin1String("settings")) {
        SettingsStore store(path);
        for (int i = 0; i < 100; ++i)
            store.write(tag + QString::number(i), tag);
        return;
    }
    RegistryStore store(path);
    const QString key = QStringLiteral("Software\\Vantor");
    store.createKey(reg::HKEY_CURRENT_USER, key);
    for (int i = 0; i < 100; ++i)
        store.setValue(reg::HKEY_CURRENT_USER, key, tag + QString::number(i), reg::REG_SZ,
                       tag.toUtf8());
}

// Every file the player writes, by the name writeVersion knows it by.
const char* const kWriterKinds[] = {"settings", "registry", "playlist", "dar"};

} // namespace

TEST(KilledWriters, LeaveThePreviousOrTheNewFileWhole) {
    for (const char* kind : kWriterKinds) {
        SCOPED_TRACE(kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file"));
        // The two versions as the writer makes them, the second over the first.
        writeVersion(kind, path, 1);
        const QByteArray first = testsupport::readFile(path);
        QElapsedTimer clock;
        clock.start();
        writeVersion(kind, path, 2);
        const int writeMs = int(std::max<qint64>(clock.elapsed(), 2));
        const QByteArray second = testsupport::readFile(path);
        writeVersion(kind, path, 1);
        ASSERT_EQ(testsupport::readFile(path), first)
            << "a version reads the same however it is reached";
        ASSERT_NE(first, second);

        for (int kill = 0; kill < kKills; ++kill) {
            const QDateTime before = QFileInfo(path).lastModified();
            // Saves the two versions in turn until killed.
            const pid_t writer = fork();
            if (writer == 0)
                for (int version = 1;; version = 3 - version)
                    writeVersion(kind, path, version);
            ASSERT_GT(writer, 0);
            // Once it writes, anywhere in its next few writes.
            for (int wait = 0; wait < 500 && QFileInfo(path).lastModified() == before; ++wait)
                QThread::msleep(10);
            QThread::msleep(QRandomGenerator::global()->bounded(3 * writeMs));
            ::kill(writer, SIGKILL);
            waitpid(writer, nullptr, 0);
            const QByteArray now = testsupport::readFile(path);
            ASSERT_TRUE(now == first || now == second)
                << "kill " << kill << ": " << now.size() << " bytes of neither version";
        }
    }
}

// A refused write (a file size limit) leaves the old file whole, no temporary.
TEST(FailedWriters, LeaveThePreviousFileWhole) {
    for (const char* kind : kWriterKinds) {
        SCOPED_TRACE(kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file"));
        writeVersion(kind, path, 1);
        const QByteArray first = testsupport::readFile(path);
        const QByteArray after = testsupport::inChild([&] {
            testsupport::limitFileSize(first.size() / 2);
            writeVersion(kind, path, 2);
            return testsupport::readFile(path) + '/' +
                   QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u'/').toUtf8();
        });
        EXPECT_TRUE(after == first + "/file")
            << after.size() << " bytes: " << after.right(80).toStdString();
    }
}

TEST(KilledWriters, TwoWritersOfAStoreLoseNothing) {
    for (const char* kind : {"settings", "registry"}) {
        SCOPED_TRACE(kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("store"));
        QList<pid_t> writers;
        for (const char* tag : {"first", "second"}) {
            writers.append(fork());
            if (writers.last() == 0) {
                writeValues(kind, path, tag);
                _exit(0); // no test teardown in the child
            }
        }
        for (const pid_t writer : writers)
            waitpid(writer, nullptr, 0);
        if (kind == QLatin1String("settings")) {
            SettingsStore store(path);
            for (int i = 0; i < 100; ++i)
                for (const QString tag : {"first", "second"})
                    EXPECT_EQ(store.read(tag + QString::number(i)), tag) << i;
            continue;
        }
        RegistryStore store(path);
        QStringList names;
        store.valueNames(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\Vantor"), &names);
        EXPECT_EQ(names.size(), 200) << names.join(' ').toStdString();
    }
}

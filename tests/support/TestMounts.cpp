// Full and read-only disks: tmpfs and bind mounts in a mount namespace (TestMounts.h).
#include "TestMounts.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QString Enter_Private_Mounts()
{
    if (geteuid() != 0)
        return QStringLiteral("mounting file systems needs root");
    if (unshare(CLONE_NEWNS) != 0)
        return QStringLiteral("cannot make a mount namespace: %1").arg(qt_error_string(errno));
    // Mounts made below must not travel back to the parent namespace.
    if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return QStringLiteral("cannot make the mounts private: %1").arg(qt_error_string(errno));
    // Some containers refuse mounts even to root: find out once, here.
    char probe[] = "/tmp/velmora-mount-probe-XXXXXX";
    if (!mkdtemp(probe))
        return QStringLiteral("cannot make a folder to mount on: %1").arg(qt_error_string(errno));
    const bool mounted = mount("tmpfs", probe, "tmpfs", 0, "size=4k") == 0;
    const int why = errno;
    if (mounted)
        umount2(probe, MNT_DETACH);
    rmdir(probe);
    if (!mounted)
        return QStringLiteral("cannot mount a tmpfs: %1").arg(qt_error_string(why));
    return QString();
}

// Before main, while the process still has one thread: a new mount namespace
// belongs to the thread that asks for it.
const QString Mount_Problem = Enter_Private_Mounts();

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

TTestMounts::~TTestMounts()
{
    for (auto it = m_mounted.crbegin(); it != m_mounted.crend(); ++it) {
        // A file still open below the mount keeps it busy: detach it then.
        if (umount2(Native(*it).constData(), 0) != 0)
            umount2(Native(*it).constData(), MNT_DETACH);
    }
}

QString TTestMounts::Problem()
{
    return Mount_Problem;
}

bool TTestMounts::Fail(const QString &what)
{
    Error = QStringLiteral("%1: %2").arg(what, qt_error_string(errno));
    return false;
}

bool TTestMounts::Tmpfs(const QString &folder, int sizeKb, int inodes)
{
    if (!Mount_Problem.isEmpty()) {
        Error = Mount_Problem;
        return false;
    }
    QDir().mkpath(folder);
    QByteArray options = "mode=0755,size=" + QByteArray::number(sizeKb) + 'k';
    if (inodes > 0)
        options += ",nr_inodes=" + QByteArray::number(inodes);
    if (mount("tmpfs", Native(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
              options.constData())
        != 0)
        return Fail(QStringLiteral("mounting a tmpfs on %1").arg(folder));
    m_mounted.append(folder);
    return true;
}

bool TTestMounts::Read_Only(const QString &path)
{
    if (!Mount_Problem.isEmpty()) {
        Error = Mount_Problem;
        return false;
    }
    const QByteArray native = Native(path);
    if (mount(native.constData(), native.constData(), nullptr, MS_BIND, nullptr) != 0)
        return Fail(QStringLiteral("binding %1 over itself").arg(path));
    m_mounted.append(path);
    if (mount("none", native.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        return Fail(QStringLiteral("making %1 read-only").arg(path));
    return true;
}

bool TTestMounts::Fill(const QString &folder, int freeBlocks)
{
    const int fd = open(Native(folder + QStringLiteral("/.filler")).constData(),
                        O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return Fail(QStringLiteral("making the filler in %1").arg(folder));
    static const char zeros[65536] = {};
    for (;;) {
        if (write(fd, zeros, sizeof(zeros)) >= 0)
            continue;
        if (errno == EINTR)
            continue;
        if (errno == ENOSPC)
            break;
        close(fd);
        return Fail(QStringLiteral("filling %1").arg(folder));
    }
    struct statvfs fs = {};
    bool done = fstatvfs(fd, &fs) == 0;
    if (done && freeBlocks > 0) {
        const off_t size = lseek(fd, 0, SEEK_END);
        const off_t giveBack = off_t(freeBlocks) * off_t(fs.f_bsize);
        done = size >= giveBack && ftruncate(fd, size - giveBack) == 0 && fstatvfs(fd, &fs) == 0;
    }
    close(fd);
    if (!done)
        return Fail(QStringLiteral("measuring %1").arg(folder));
    if (fs.f_bavail != fsblkcnt_t(freeBlocks)) {
        Error = QStringLiteral("%1 blocks free, not %2").arg(fs.f_bavail).arg(freeBlocks);
        return false;
    }
    return true;
}

bool TTestMounts::Use_Inodes(const QString &folder, int freeInodes)
{
    const QString inodes = folder + QStringLiteral("/.inodes");
    QDir().mkdir(inodes);
    QStringList made;
    for (;;) {
        const QString file = inodes + QLatin1Char('/') + QString::number(made.size());
        const int fd = open(Native(file).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == ENOSPC)
                break;
            return Fail(QStringLiteral("making %1").arg(file));
        }
        close(fd);
        made.append(file);
    }
    for (int i = 0; i < freeInodes && !made.isEmpty(); ++i)
        QFile::remove(made.takeLast());
    struct statvfs fs = {};
    if (statvfs(Native(folder).constData(), &fs) != 0)
        return Fail(QStringLiteral("measuring %1").arg(folder));
    if (fs.f_favail != fsfilcnt_t(freeInodes)) {
        Error = QStringLiteral("%1 inodes free, not %2").arg(fs.f_favail).arg(freeInodes);
        return false;
    }
    return true;
}

QStringList Folder_Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                      | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

void TMounts_Test::init()
{
    if (!Mount_Problem.isEmpty())
        QSKIP(qPrintable(Mount_Problem));
}

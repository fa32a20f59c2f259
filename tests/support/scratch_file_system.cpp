#include "support/scratch_file_system.h"

#include <errno.h>
#include <fcntl.h>
#include <sched.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>

namespace {

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

bool writeProcFile(const char* path, const QByteArray& text) {
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0) return false;
    const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return ok;
}

// Gives the process a mount namespace of its own whose mounts stay private; empty when it
// worked, otherwise why not. A user namespace is tried only when asked for.
QString enterPrivateMountNamespace(bool userNamespace) {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWNS) != 0) {
        if (!userNamespace) return systemError("cannot enter a private mount namespace");
        // Not privileged: a user namespace makes this process root inside it.
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return systemError("cannot enter a private user and mount namespace");
        writeProcFile("/proc/self/setgroups", "deny");
        if (!writeProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
            !writeProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return systemError("cannot map the user into its namespace");
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return systemError("cannot make the mounts private");
    return QString();
}

// The outcome of the first attempt, kept: a process enters its namespace once.
const QString& privateMountNamespace(bool userNamespace) {
    static const QString problem = enterPrivateMountNamespace(userNamespace);
    return problem;
}

}  // namespace

bool ScratchFileSystem::enterNamespaceAtStart() { return privateMountNamespace(true).isEmpty(); }

ScratchFileSystem::ScratchFileSystem(qint64 sizeBytes) {
    if (!folder_.isValid()) {
        whyNot_ = QStringLiteral("no temporary folder");
        return;
    }
    whyNot_ = privateMountNamespace(false);
    if (!whyNot_.isEmpty()) return;
    const QByteArray options = "size=" + QByteArray::number(sizeBytes) + ",mode=0755";
    if (::mount("korva-drill", QFile::encodeName(path()).constData(), "tmpfs",
                MS_NOSUID | MS_NODEV | MS_NOEXEC, options.constData()) != 0) {
        whyNot_ = systemError("cannot mount a small file system");
        return;
    }
    mounted_ = true;
}

ScratchFileSystem::~ScratchFileSystem() {
    if (mounted_) ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

bool ScratchFileSystem::makeReadOnly() {
    return mounted_ &&
           ::mount(nullptr, QFile::encodeName(path()).constData(), nullptr,
                   MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr) == 0;
}

bool ScratchFileSystem::fill() {
    if (!mounted_) return false;
    const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const QByteArray chunk(4096, 'x');
    bool full = false;
    // A short write means the last free bytes are taken and the next one fails; the bound
    // only guards against a file system that never fills.
    for (int i = 0; i < 64 * 1024; ++i) {
        if (::write(fd, chunk.constData(), size_t(chunk.size())) < 0) {
            full = errno == ENOSPC;
            break;
        }
    }
    ::close(fd);
    return full;
}

QString ScratchFileSystem::makeDeviceNode(const QString& name, dev_t device) {
    if (!mounted_) return QString();
    const QString node = filePath(name);
    if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, device) != 0) {
        whyNot_ = systemError("cannot make a device file");
        return QString();
    }
    return node;
}

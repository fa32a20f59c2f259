#pragma once
// A small file system of its own (tmpfs) over a temporary folder, for drills that need the
// system itself to refuse something: a read-only file system, one that is full, or a device
// file the system will not open. Root can write into any folder and open any device
// whatever the permissions, so only a mount makes such a refusal real in CI, where the
// tests run as root.
//
// The mount is made in a mount namespace private to the test process, so it vanishes with
// the process even when a test crashes. Root only needs a mount namespace of its own. An
// ordinary user can get one inside a user namespace, but only while the process has a
// single thread, and inside it the user counts as root, which changes how permissions and
// lock files behave for every other test of the executable: an executable that wants this
// calls ScratchFileSystem::enterNamespaceAtStart() from a static initializer. Where no
// namespace can be had, available() is false and whyNot() says why, so that the drill can
// be skipped with that reason.
#include <sys/types.h>

#include <QString>
#include <QTemporaryDir>

class ScratchFileSystem {
public:
    // A tmpfs of the given size in bytes (rounded up to whole pages by the kernel), mounted
    // without device files (nodev), set-user-id programs or executables.
    explicit ScratchFileSystem(qint64 sizeBytes);
    ~ScratchFileSystem();
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    // For ordinary users: enters a user and mount namespace while the program starts.
    static bool enterNamespaceAtStart();

    bool available() const { return mounted_; }
    QString whyNot() const { return whyNot_; }
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

    // Mounts the file system read-only from now on; the files on it stay readable.
    bool makeReadOnly();
    // Fills every free byte with a filler file; true once a write ran out of space.
    bool fill();
    // A character device file for the device number. The file system does not honour
    // device files, so opening it fails with "Permission denied", even for root. "" with
    // the reason in whyNot() when the node cannot be made.
    QString makeDeviceNode(const QString& name, dev_t device);

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
    QString whyNot_;
};

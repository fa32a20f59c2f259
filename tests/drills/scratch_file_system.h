#pragma once
// A small file system of its own (tmpfs) over a temporary folder, for drills that need the
// system itself to refuse a write: a read-only file system, or one that is full. Root can
// write into any folder whatever its permissions, so only a mount makes such a refusal
// real in CI, where the tests run as root.
//
// The mount is made in a mount namespace private to the test process, so it vanishes with
// the process even when a test crashes. As root the process only needs its own mount
// namespace; an ordinary user gets one inside a user namespace of its own, where the
// kernel allows that. Where neither is possible, available() is false and whyNot() says
// why, so the drill can be skipped with that reason.
#include <QString>
#include <QTemporaryDir>

class ScratchFileSystem {
public:
    // A tmpfs of the given size in bytes (rounded up to whole pages by the kernel).
    explicit ScratchFileSystem(qint64 sizeBytes);
    ~ScratchFileSystem();
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool available() const { return mounted_; }
    QString whyNot() const { return whyNot_; }
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

    // Mounts the file system read-only from now on; the files on it stay readable.
    bool makeReadOnly();
    // Fills every free byte with a filler file; true once a write ran out of space.
    bool fill();

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
    QString whyNot_;
};

#pragma once

#include <QString>

// One saver at a time in a folder, across processes: an exclusive lock on a small file in it
// (".brainloft-lock"), removed again when the lock is let go. Taken in the same thread again,
// it nests. The wait for another holder is bounded, so a process that never lets go cannot
// hang ours: after the wait the lock is simply not held.
class FolderLock {
public:
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool locked() const { return locked_; }
    const QString& error() const { return error_; } // why it is not held

    static QString lockFileName();

    // For tests: how long a lock held elsewhere is waited for (the default is ten seconds).
    class Wait {
    public:
        explicit Wait(int milliseconds);
        ~Wait();
        Wait(const Wait&) = delete;
        Wait& operator=(const Wait&) = delete;

    private:
        int previous_;
    };

private:
    bool locked_ = false;
    quint64 device_ = 0;
    quint64 inode_ = 0;
    QString error_;
};

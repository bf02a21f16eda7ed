#pragma once

#include <QString>

// Keeps a second copy of the program from running. The lock is a kernel lock on a file in the
// user's runtime folder: it goes with the process however that ends, so a crash, a kill or a
// file left behind never keeps the program from starting.
class InstanceGuard {
public:
    // folder empty: the user's runtime folder.
    explicit InstanceGuard(const QString& marker, const QString& folder = QString());
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // False only when another running copy holds the lock. Anything else in the lock's place
    // (a folder, a link, a file we may not open) lets this copy start.
    bool acquire();

    static QString lockName(const QString& marker);

private:
    QString path_;
    int fd_ = -1;
};

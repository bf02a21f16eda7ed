#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Keeps a second copy of the program from running. The lock lives in the user's runtime
// folder, named after the marker; a lock left behind by a crashed copy is taken over.
class InstanceGuard {
public:
    // folder empty: the user's runtime folder.
    explicit InstanceGuard(const QString& marker, const QString& folder = QString());

    // True when this process now holds the marker; false when another copy does.
    bool acquire();

    static QString lockName(const QString& marker);

private:
    std::unique_ptr<QLockFile> lock_;
};

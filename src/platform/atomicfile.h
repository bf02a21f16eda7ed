#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The one way the program writes a file. A file is written beside its target under a temporary
// name, every write and the final sync are checked, and only then does it replace the target.
// A failure at any point leaves the old file as it was and removes the temporary.
namespace atomicfile {

// Replaces path with bytes. Refuses a target that is a symbolic link or anything but a regular
// file or nothing. On failure returns false and, when error is given, the reason
// ("No space left on device").
bool WriteFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// All or none: every file is written and synced under a temporary name first; then each
// replaces its target. If any step fails, every target keeps its old contents (or stays absent).
bool WriteFiles(const QList<std::pair<QString, QByteArray>>& files, QString* error = nullptr);

// For tests: while an instance lives, writes in this thread fail once `bytes` bytes in total
// have gone out (0 fails the first write), or, with failSync, the sync before the rename fails.
class FailAfter {
public:
    explicit FailAfter(qint64 bytes, bool failSync = false);
    ~FailAfter();
    FailAfter(const FailAfter&) = delete;
    FailAfter& operator=(const FailAfter&) = delete;
};

} // namespace atomicfile

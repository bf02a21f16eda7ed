#include "platform/instanceguard.h"

#include <QDir>
#include <QStandardPaths>

InstanceGuard::InstanceGuard(const QString& marker, const QString& folder)
{
    QString dir = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder;
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    lock_ = std::make_unique<QLockFile>(QDir(dir).filePath(lockName(marker)));
}

QString InstanceGuard::lockName(const QString& marker)
{
    QString name = marker;
    name.replace(QLatin1Char('\\'), QLatin1Char('!'));
    name.replace(QLatin1Char('/'), QLatin1Char('!'));
    return name + QStringLiteral(".lock");
}

bool InstanceGuard::acquire()
{
    // tryLock removes a stale lock whose process is gone before it gives up.
    return lock_->tryLock(0);
}

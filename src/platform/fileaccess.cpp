#include "platform/fileaccess.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace fileaccess {

bool runningAsAdministrator()
{
    return ::geteuid() == 0;
}

bool openToEveryone(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0 || S_ISLNK(st.st_mode))
        return false;
    mode_t mode = st.st_mode | S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;
    if (S_ISDIR(st.st_mode))
        mode |= S_IXUSR | S_IXGRP | S_IXOTH;
    return ::chmod(native.constData(), mode & 07777) == 0;
}

} // namespace fileaccess

#include "platform/seams.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

void RealClock::wait(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

bool RealProcessRunner::runAndWait(const QString& program, int descriptor, const QString& workingFolder)
{
    const QByteArray name = QFile::encodeName(program);
    const QByteArray folder = QFile::encodeName(workingFolder);
    char* const argv[] = {const_cast<char*>(name.constData()), nullptr};
    // The child reports a failed start through this pipe; a start closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (pid == 0) {
        int error = 0;
        if (::chdir(folder.constData()) != 0) {
            error = errno;
        } else {
            // A copy without close-on-exec: a script's interpreter opens it again by its number.
            const int fd = ::dup(descriptor);
            if (fd >= 0)
                ::fexecve(fd, argv, environ);
            error = errno;
        }
        (void)!::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    int error = 0;
    ssize_t n;
    do
        n = ::read(report[0], &error, sizeof error);
    while (n < 0 && errno == EINTR);
    ::close(report[0]);
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid || (ended < 0 && errno != EINTR))
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return n == 0;
}

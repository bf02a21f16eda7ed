#include "platform/seams.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

void RealClock::wait(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

bool RealProcessRunner::runAndWait(const QString& program, const QString& workingFolder)
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.setProgram(program);
    process.start();
    if (!process.waitForStarted(10000))
        return false;
    while (!process.waitForFinished(50))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return true;
}

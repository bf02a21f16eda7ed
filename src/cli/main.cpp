#include "cli/maker.h"

#include "brainloft_resources.h"
#include "platform/atomicfile.h"
#include "shell/program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// Standard error as the program found it; the descriptor 2 itself goes to /dev/null while a verb
// runs, since some libraries print there directly (a PNG that ends early, for one).
int g_messages = 2;

// Every verb's one-line message is all a script sees on standard error: what libraries note on
// the way (a picture's warnings, the platform's notes on its surroundings) is dropped.
void quietly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        const QByteArray line = "brainloft-make: " + message.toLocal8Bit() + "\n";
        (void)!::write(g_messages, line.constData(), static_cast<size_t>(line.size()));
    }
}

// Keeps the real standard error for our messages and sends descriptor 2 to /dev/null.
void setStandardErrorAside()
{
    const int kept = ::fcntl(2, F_DUPFD_CLOEXEC, 3);
    const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept < 0 || nothing < 0 || ::dup2(nothing, 2) < 0) {
        if (kept >= 0)
            ::close(kept);
    } else {
        g_messages = kept;
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(kept)));
#endif
    }
    if (nothing >= 0)
        ::close(nothing);
}

// A descriptor 0, 1 or 2 that the caller closed would be handed to the first file we open, and
// a result meant for standard output would land in a puzzle: each is held by /dev/null instead.
// True when standard output was closed.
bool holdStandardDescriptors()
{
    bool outputClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        outputClosed = outputClosed || fd == 1;
        const int held = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
    return outputClosed;
}

// Writes what a verb printed, all of it, or says why not.
bool writeOutput(const QByteArray& bytes, bool outputClosed, QString& why)
{
    if (outputClosed && !bytes.isEmpty()) {
        why = QString::fromLocal8Bit(std::strerror(EBADF));
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(1, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            why = QString::fromLocal8Bit(std::strerror(n < 0 ? errno : EIO));
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool outputClosed = holdStandardDescriptors();
    setStandardErrorAside();
    qInstallMessageHandler(quietly);
    // Printing lays its pages out in windows that are never shown: a widget application, on the
    // offscreen platform unless another is named. The other verbs need no display at all.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "print") == 0) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        InitBrainloftResources();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QString output;
    QTextStream out(&output);
    QFile messages;
    messages.open(g_messages, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream err(&messages);
    // The same data folder as the program's: beside it, or the shared one once installed. A
    // replacement there that a crash cut short is finished before anything reads it.
    const QString programFolder = ProgramPaths::forRunningProgram().programFolder;
    atomicfile::FinishInterruptedSaves(programFolder + QStringLiteral("Brainloft puzzles"));
    int status = RunMaker(QCoreApplication::arguments().mid(1), programFolder, out, err);
    out.flush();
    QString why;
    if (!writeOutput(output.toUtf8(), outputClosed, why)) {
        err << "brainloft-make: cannot write standard output: " << why << "\n";
        if (status == makerstatus::kOk)
            status = makerstatus::kFailed;
    }
    err.flush();
    return status;
}

#include "cli/maker.h"

#include "brainloft_resources.h"
#include "shell/program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[])
{
    // Printing lays its pages out in windows that are never shown: a widget application, on the
    // offscreen platform unless another is named. The other verbs need no display at all.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "print") == 0) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Setting up the platform may note missing desktop surroundings; a script wants none of that.
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        app = std::make_unique<QApplication>(argc, argv);
        qInstallMessageHandler(previous);
        InitBrainloftResources();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The same data folder as the program's: beside it, or the shared one once installed.
    const QString programFolder = ProgramPaths::forRunningProgram().programFolder;
    const int status = RunMaker(QCoreApplication::arguments().mid(1), programFolder, out, err);
    out.flush();
    err.flush();
    return status;
}

#include "cli/maker.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const int status = RunMaker(app.arguments().mid(1), programFolder, out, err);
    out.flush();
    err.flush();
    return status;
}

#pragma once

// brainloft-make run inside the test, on a program folder of its own in a temporary folder.
#include "cli/maker.h"
#include "shell/program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

class MakerHarness : public ::testing::Test {
protected:
    MakerHarness() { QDir().mkpath(programFolder); }

    // Runs the maker; what it writes to standard output and error lands in out and err.
    int run(const QStringList& args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        const int status = RunMaker(args, programFolder, o, e);
        o.flush();
        e.flush();
        return status;
    }
    // A file of these bytes in the temporary folder; its path.
    QString put(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString puzzlePath(const QString& file) const
    {
        return ProgramPaths::puzzleFolderIn(programFolder) + QLatin1Char('/') + file;
    }

    QTemporaryDir dir;
    QString programFolder = dir.path() + "/program/";
    QString out, err;
};

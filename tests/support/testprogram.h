#pragma once

#include "platform/seams.h"
#include "shell/program.h"
#include "support/scriptedboxes.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <unistd.h>

class NoClock : public Clock {
public:
    void wait(int milliseconds) override { waited += milliseconds; }
    int waited = 0;
};

class ScriptedProcesses : public ProcessRunner {
public:
    bool runAndWait(const QString& program, int descriptor, const QString& workingFolder) override
    {
        runs << program;
        folders << workingFolder;
        // What would run: the bytes of the file open on the descriptor.
        QByteArray bytes(4096, '\0');
        const ssize_t n = ::pread(descriptor, bytes.data(), static_cast<size_t>(bytes.size()), 0);
        contents << bytes.left(n > 0 ? n : 0);
        return startable;
    }
    QStringList runs;
    QStringList folders;
    QList<QByteArray> contents;
    bool startable = true;
};

// A fresh program in a temporary folder, with scripted boxes and a seeded generator.
// The program folder holds the puzzle and music folders; the settings and inventory live in
// their own temporary folder.
class TestProgram {
public:
    explicit TestProgram(std::uint64_t seed = 1, bool createFolders = true);

    QString programFolder() const { return program->paths.programFolder; }
    QString puzzleFile(const QString& name) const { return program->paths.puzzleFile(name); }

    QTemporaryDir root;
    ScriptedBoxes boxes;
    NoClock clock;
    ScriptedProcesses processes;
    std::unique_ptr<Program> program;
};

#pragma once

#include <QString>

// Waits of the algorithms (the pause after a build), behind a seam so tests never sleep.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void wait(int milliseconds) = 0;
};

class RealClock : public Clock {
public:
    void wait(int milliseconds) override;
};

// Runs a separate program in a folder and waits for it while window messages keep flowing.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // Runs the program file open on descriptor: the very file that was opened and checked, even
    // should its name since name another. program is its name, as the program sees it. False
    // when it could not be started.
    virtual bool runAndWait(const QString& program, int descriptor, const QString& workingFolder) = 0;
};

class RealProcessRunner : public ProcessRunner {
public:
    bool runAndWait(const QString& program, int descriptor, const QString& workingFolder) override;
};

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
    // False when the program could not be started.
    virtual bool runAndWait(const QString& program, const QString& workingFolder) = 0;
};

class RealProcessRunner : public ProcessRunner {
public:
    bool runAndWait(const QString& program, const QString& workingFolder) override;
};

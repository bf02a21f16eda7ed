#pragma once

#include <QObject>
#include <QString>

// Plays one tune file at a time without blocking the window thread.
class TunePlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens a tune, closing one still open first; sends no notification. False when the file
    // is missing or no tune (then nothing is open).
    virtual bool open(const QString& path) = 0;
    // Starts the open tune and returns at once; ended() follows when it has played through.
    // False when nothing is open.
    virtual bool play() = 0;
    // Silences every note. A stopped tune never reports its end.
    virtual void stop() = 0;
    // Stops and forgets the open tune.
    virtual void close() = 0;

signals:
    // Posted to the window thread, and only for the tune that is playing now: never for one
    // already stopped or replaced.
    void ended();
};

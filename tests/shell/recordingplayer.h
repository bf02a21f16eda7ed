#pragma once

#include "platform/tunereader.h"
#include "platform/tuneplayer.h"

#include <QFileInfo>
#include <QStringList>

// A player that records its calls and ends a tune when the test says so. It refuses what the
// real player refuses: a file the tune reader does not accept.
class RecordingPlayer : public TunePlayer {
    Q_OBJECT
public:
    bool open(const QString& path) override
    {
        close();
        tunereader::TuneInfo info;
        if (tunereader::ReadTuneFile(path, info) != tunereader::kOk) {
            calls << QStringLiteral("refused ") + QFileInfo(path).fileName();
            return false;
        }
        current = QFileInfo(path).fileName();
        calls << QStringLiteral("open ") + current;
        return true;
    }
    bool play() override
    {
        if (current.isEmpty())
            return false;
        playing = true;
        calls << QStringLiteral("play");
        played << current;
        return true;
    }
    void stop() override
    {
        playing = false;
        calls << QStringLiteral("stop");
    }
    void close() override
    {
        if (current.isEmpty())
            return;
        playing = false;
        current.clear();
        calls << QStringLiteral("close");
    }
    // The tune now playing reaches its end.
    void end()
    {
        if (playing) {
            playing = false;
            emit ended();
        }
    }

    QStringList calls;
    QStringList played;
    QString current;
    bool playing = false;
};

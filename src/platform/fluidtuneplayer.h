#pragma once

#include "platform/tuneplayer.h"

#include <QByteArray>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct FluidEngine;

// Plays tunes through FluidSynth. The synthesiser, sound font and audio device are made on a
// worker thread, so the window thread never waits for them: a play asked meanwhile starts
// when they are ready, and a stop cancels it. Without a sound font or an audio device the
// player is silent, but a tune still ends after its length. Nothing is written to standard
// error, whatever fails.
class FluidTunePlayer : public TunePlayer {
    Q_OBJECT
public:
    static QString DefaultSoundFont() { return QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"); }
    static QStringList DefaultDrivers() { return {QStringLiteral("pulseaudio"), QStringLiteral("alsa")}; }

    explicit FluidTunePlayer(QString soundFont = DefaultSoundFont(), QStringList drivers = DefaultDrivers(),
                             QObject* parent = nullptr);
    ~FluidTunePlayer() override;

    // Starts making the synthesiser now rather than at the first play.
    void preload();

    bool open(const QString& path) override;
    bool play() override;
    void stop() override;
    void close() override;

    bool ready() const { return engine_ != nullptr; }
    // True once ready with a sound font and an audio device.
    bool audible() const;
    double tuneSeconds() const { return seconds_; }

    // The synthesiser set up as for playing, without a device, rendering a tune into
    // interleaved stereo samples: frames of them, or fewer when the sound font cannot be read.
    static std::vector<float> Render(const QByteArray& midi, const QString& soundFont, int frames);

private:
    void startLoading();
    void takeEngine();
    void start();
    void finish(unsigned generation);
    void dropFluidPlayer();

    QString soundFont_;
    QStringList drivers_;

    std::thread worker_;
    std::mutex loadedMutex_;
    std::unique_ptr<FluidEngine> loaded_; // handed over by the worker
    std::unique_ptr<FluidEngine> engine_;
    bool loading_ = false;

    QByteArray midi_;
    double seconds_ = 0;
    bool opened_ = false;
    bool pendingPlay_ = false;
    unsigned generation_ = 0;
    void* fluidPlayer_ = nullptr;
    QTimer pollTimer_;
    QTimer lengthTimer_;
};

#include "platform/fluidtuneplayer.h"

#include "platform/lazylibrary.h"
#include "platform/tunereader.h"

#include <QFile>
#include <QMetaObject>

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <algorithm>
#include <cstdarg>
#include <utility>

namespace {

// The synthesiser's library and the many it pulls in (sound servers, codecs) are loaded on the
// worker thread that makes the synthesiser, not at the program's start: the launcher paints
// sooner and the program is smaller until music plays.
#define BRAINLOFT_FLUID_FUNCTIONS(X)                                                                                   \
    X(new_fluid_settings) X(delete_fluid_settings) X(fluid_settings_setnum) X(fluid_settings_setint)                  \
    X(fluid_settings_setstr) X(new_fluid_synth) X(delete_fluid_synth) X(fluid_synth_sfload)                           \
    X(fluid_synth_all_sounds_off) X(fluid_synth_write_float) X(new_fluid_audio_driver) X(delete_fluid_audio_driver)   \
    X(new_fluid_player) X(delete_fluid_player) X(fluid_player_add_mem) X(fluid_player_play) X(fluid_player_stop)      \
    X(fluid_player_get_status) X(fluid_set_log_function)

struct FluidApi {
    LAZYLIBRARY_POINTERS(BRAINLOFT_FLUID_FUNCTIONS)
};

void IgnoreFluidLog(int, const char*, void*) {}
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// The library's functions, loaded once and kept for the run; null when it cannot be loaded
// (then the player is silent). FluidSynth and ALSA report to standard error by default; the
// program says nothing there.
const FluidApi* Fluid()
{
    static std::once_flag once;
    static FluidApi api;
    static bool loaded = false;
    std::call_once(once, [] {
        void* library = lazylibrary::Open({"libfluidsynth.so.3", "libfluidsynth.so.2", "libfluidsynth.so"});
        if (!library)
            return;
        bool complete = true;
        LAZYLIBRARY_RESOLVE(BRAINLOFT_FLUID_FUNCTIONS, library, api, complete);
        if (!complete)
            return;
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            api.fluid_set_log_function(level, IgnoreFluidLog, nullptr);
        // The synthesiser has loaded ALSA by now when it can use it.
        decltype(&::snd_lib_error_set_handler) setHandler = nullptr;
        if (void* alsa = lazylibrary::Open({"libasound.so.2"}))
            if (lazylibrary::Resolve(alsa, "snd_lib_error_set_handler", setHandler))
                setHandler(IgnoreAlsaError);
        loaded = true;
    });
    return loaded ? &api : nullptr;
}

} // namespace

struct FluidEngine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    bool soundFont = false;

    ~FluidEngine()
    {
        const FluidApi* f = Fluid();
        if (!f)
            return;
        if (driver)
            f->delete_fluid_audio_driver(driver);
        if (synth)
            f->delete_fluid_synth(synth);
        if (settings)
            f->delete_fluid_settings(settings);
    }
};

namespace {

// The synthesiser and sound font, without a device: shared by playing and rendering.
std::unique_ptr<FluidEngine> MakeSynth(const QString& soundFont)
{
    auto engine = std::make_unique<FluidEngine>();
    const FluidApi* f = Fluid();
    if (!f)
        return engine;
    engine->settings = f->new_fluid_settings();
    if (!engine->settings)
        return engine;
    f->fluid_settings_setnum(engine->settings, "synth.sample-rate", 44100.0);
    f->fluid_settings_setnum(engine->settings, "synth.gain", 0.4);
    f->fluid_settings_setint(engine->settings, "synth.threadsafe-api", 1);
    engine->synth = f->new_fluid_synth(engine->settings);
    if (engine->synth && !soundFont.isEmpty() && QFile::exists(soundFont))
        engine->soundFont = f->fluid_synth_sfload(engine->synth, QFile::encodeName(soundFont).constData(), 1) != FLUID_FAILED;
    return engine;
}

std::unique_ptr<FluidEngine> MakeEngine(const QString& soundFont, const QStringList& drivers)
{
    auto engine = MakeSynth(soundFont);
    if (!engine->soundFont)
        return engine; // silent: no device is worth opening
    for (const QString& driver : drivers) {
        // Only drivers that never take over the sound system or open windows of their own.
        if (driver != QLatin1String("pulseaudio") && driver != QLatin1String("alsa"))
            continue;
        Fluid()->fluid_settings_setstr(engine->settings, "audio.driver", driver.toLatin1().constData());
        engine->driver = Fluid()->new_fluid_audio_driver(engine->settings, engine->synth);
        if (engine->driver)
            break;
    }
    return engine;
}

fluid_player_t* StartFluidPlayer(fluid_synth_t* synth, const QByteArray& midi)
{
    fluid_player_t* player = Fluid()->new_fluid_player(synth);
    if (!player)
        return nullptr;
    if (Fluid()->fluid_player_add_mem(player, midi.constData(), static_cast<size_t>(midi.size())) != FLUID_OK ||
        Fluid()->fluid_player_play(player) != FLUID_OK) {
        Fluid()->delete_fluid_player(player);
        return nullptr;
    }
    return player;
}

} // namespace

FluidTunePlayer::FluidTunePlayer(QString soundFont, QStringList drivers, QObject* parent)
    : TunePlayer(parent), soundFont_(std::move(soundFont)), drivers_(std::move(drivers))
{
    pollTimer_.setInterval(100);
    lengthTimer_.setSingleShot(true);
}

FluidTunePlayer::~FluidTunePlayer()
{
    // A load still under way is waited for here, at the end of the run only.
    if (worker_.joinable())
        worker_.join();
    dropFluidPlayer();
}

void FluidTunePlayer::preload()
{
    startLoading();
}

bool FluidTunePlayer::audible() const
{
    return engine_ && engine_->driver;
}

void FluidTunePlayer::startLoading()
{
    if (loading_ || engine_)
        return;
    loading_ = true;
    worker_ = std::thread([this, soundFont = soundFont_, drivers = drivers_] {
        auto engine = MakeEngine(soundFont, drivers);
        {
            std::lock_guard<std::mutex> lock(loadedMutex_);
            loaded_ = std::move(engine);
        }
        QMetaObject::invokeMethod(this, &FluidTunePlayer::takeEngine, Qt::QueuedConnection);
    });
}

void FluidTunePlayer::takeEngine()
{
    {
        std::lock_guard<std::mutex> lock(loadedMutex_);
        engine_ = std::move(loaded_);
    }
    if (worker_.joinable())
        worker_.join(); // it has finished: this only reaps it
    loading_ = false;
    if (pendingPlay_) {
        pendingPlay_ = false;
        start();
    }
}

bool FluidTunePlayer::open(const QString& path)
{
    close();
    tunereader::TuneInfo info;
    if (tunereader::ReadTuneFile(path, info) != tunereader::kOk)
        return false;
    midi_ = info.midi;
    seconds_ = info.seconds;
    opened_ = true;
    return true;
}

bool FluidTunePlayer::play()
{
    if (!opened_)
        return false;
    stop();
    if (engine_) {
        start();
    } else {
        pendingPlay_ = true;
        startLoading();
    }
    return true;
}

void FluidTunePlayer::start()
{
    const unsigned generation = generation_;
    if (audible()) {
        fluidPlayer_ = StartFluidPlayer(engine_->synth, midi_);
        if (fluidPlayer_) {
            disconnect(&pollTimer_, nullptr, this, nullptr);
            connect(&pollTimer_, &QTimer::timeout, this, [this, generation] {
                if (fluidPlayer_ && Fluid()->fluid_player_get_status(static_cast<fluid_player_t*>(fluidPlayer_)) == FLUID_PLAYER_DONE)
                    finish(generation);
            });
            pollTimer_.start();
            return;
        }
    }
    // Silent: the tune still takes its time.
    disconnect(&lengthTimer_, nullptr, this, nullptr);
    connect(&lengthTimer_, &QTimer::timeout, this, [this, generation] { finish(generation); });
    lengthTimer_.start(static_cast<int>(seconds_ * 1000.0 + 0.5));
}

void FluidTunePlayer::finish(unsigned generation)
{
    if (generation != generation_)
        return;
    ++generation_;
    pollTimer_.stop();
    lengthTimer_.stop();
    dropFluidPlayer();
    emit ended();
}

void FluidTunePlayer::dropFluidPlayer()
{
    if (fluidPlayer_) {
        auto* player = static_cast<fluid_player_t*>(fluidPlayer_);
        Fluid()->fluid_player_stop(player);
        Fluid()->delete_fluid_player(player);
        fluidPlayer_ = nullptr;
    }
    if (engine_ && engine_->synth)
        Fluid()->fluid_synth_all_sounds_off(engine_->synth, -1);
}

void FluidTunePlayer::stop()
{
    ++generation_;
    pendingPlay_ = false;
    pollTimer_.stop();
    lengthTimer_.stop();
    dropFluidPlayer();
}

void FluidTunePlayer::close()
{
    stop();
    midi_.clear();
    seconds_ = 0;
    opened_ = false;
}

std::vector<float> FluidTunePlayer::Render(const QByteArray& midi, const QString& soundFont, int frames)
{
    std::vector<float> samples;
    auto engine = MakeSynth(soundFont);
    if (!engine->soundFont)
        return samples;
    fluid_player_t* player = StartFluidPlayer(engine->synth, midi);
    if (!player)
        return samples;
    constexpr int kBlock = 512;
    samples.resize(static_cast<size_t>(frames) * 2);
    for (int done = 0; done < frames; done += kBlock) {
        const int n = std::min(kBlock, frames - done);
        float* out = samples.data() + static_cast<size_t>(done) * 2;
        Fluid()->fluid_synth_write_float(engine->synth, n, out, 0, 2, out, 1, 2);
    }
    Fluid()->fluid_player_stop(player);
    Fluid()->delete_fluid_player(player);
    return samples;
}

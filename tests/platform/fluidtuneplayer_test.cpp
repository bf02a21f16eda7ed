#include "platform/fluidtuneplayer.h"

#include "brainloft_resources.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

// Everything written to standard error while it lives goes to a file instead.
class CapturedStandardError {
public:
    CapturedStandardError()
    {
        std::fflush(stderr);
        saved_ = ::dup(2);
        file_ = std::tmpfile();
        ::dup2(::fileno(file_), 2);
    }
    ~CapturedStandardError()
    {
        restore();
        std::fclose(file_);
    }
    std::string text()
    {
        restore();
        std::string out;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;)
            out += static_cast<char>(c);
        return out;
    }

private:
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    int saved_ = -1;
    std::FILE* file_ = nullptr;
};

// Middle C for a quarter at 120 a minute: half a second.
QByteArray HalfSecondTune()
{
    return QByteArray::fromHex("4D546864000000060000000101E0" "4D54726B0000000D" "00903C40 8360803C40 00FF2F00");
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

QByteArray Carousel()
{
    InitBrainloftResources();
    QFile f(QStringLiteral(":/MUSIC/music1"));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

TEST(FluidTunePlayer, RendersACarriedTuneAudibly)
{
    const QByteArray carousel = Carousel();
    ASSERT_FALSE(carousel.isEmpty());
    const std::vector<float> samples = FluidTunePlayer::Render(carousel, FluidTunePlayer::DefaultSoundFont(), 44100 * 2);
    ASSERT_EQ(samples.size(), 44100u * 2 * 2);
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    EXPECT_GT(peak, 0.01f);
    EXPECT_TRUE(FluidTunePlayer::Render(carousel, QStringLiteral("/nonexistent.sf2"), 1000).empty());
}

TEST(FluidTunePlayer, WithoutDeviceOrSoundFontATuneStillEndsAfterItsLength)
{
    QTemporaryDir dir;
    const QString path = Write(dir, QStringLiteral("half.mid"), HalfSecondTune());
    struct Case {
        const char* what;
        QString soundFont;
        QStringList drivers;
    };
    const Case cases[] = {
        {"no device", FluidTunePlayer::DefaultSoundFont(), {}},
        {"no sound font", QStringLiteral("/nonexistent.sf2"), FluidTunePlayer::DefaultDrivers()},
        {"the machine's own devices, if any", FluidTunePlayer::DefaultSoundFont(), FluidTunePlayer::DefaultDrivers()},
    };
    for (const Case& c : cases) {
        CapturedStandardError captured;
        {
            FluidTunePlayer player(c.soundFont, c.drivers);
            QSignalSpy ended(&player, &TunePlayer::ended);
            ASSERT_TRUE(player.open(path)) << c.what;
            EXPECT_DOUBLE_EQ(player.tuneSeconds(), 0.5);
            QElapsedTimer clock;
            clock.start();
            ASSERT_TRUE(player.play()) << c.what;
            EXPECT_TRUE(ended.wait(10000)) << c.what;
            EXPECT_GE(clock.elapsed(), 450) << c.what << ": not before its length";
            EXPECT_EQ(ended.count(), 1) << c.what;
            if (!QFile::exists(c.soundFont)) {
                EXPECT_FALSE(player.audible());
            }
        }
        EXPECT_EQ(captured.text(), "") << c.what << ": nothing on standard error";
    }
}

TEST(FluidTunePlayer, AStoppedOrReplacedTuneNeverEnds)
{
    QTemporaryDir dir;
    const QString path = Write(dir, QStringLiteral("half.mid"), HalfSecondTune());
    FluidTunePlayer player(FluidTunePlayer::DefaultSoundFont(), {});
    QSignalSpy ended(&player, &TunePlayer::ended);
    ASSERT_TRUE(player.open(path));
    player.play(); // asked while the synthesiser loads, then cancelled
    player.stop();
    EXPECT_FALSE(ended.wait(1500));
    EXPECT_TRUE(player.ready()) << "the load went on";

    player.play();
    player.close();
    EXPECT_FALSE(player.play()) << "nothing is open";
    ASSERT_TRUE(player.open(path));
    player.play();
    player.play(); // the restart replaces the first play
    EXPECT_TRUE(ended.wait(5000));
    EXPECT_FALSE(ended.wait(1000));
    EXPECT_EQ(ended.count(), 1);
}

TEST(FluidTunePlayer, RefusesWhatIsNoTuneAndQuitsMidLoad)
{
    QTemporaryDir dir;
    FluidTunePlayer player(FluidTunePlayer::DefaultSoundFont(), {});
    EXPECT_FALSE(player.open(Write(dir, QStringLiteral("junk.mid"), "junk")));
    EXPECT_FALSE(player.open(dir.filePath(QStringLiteral("gone.mid"))));
    EXPECT_FALSE(player.play());

    auto quitting = std::make_unique<FluidTunePlayer>(FluidTunePlayer::DefaultSoundFont(), QStringList());
    ASSERT_TRUE(quitting->open(Write(dir, QStringLiteral("half.mid"), HalfSecondTune())));
    quitting->play();
    quitting.reset(); // while the synthesiser is still being made
    SUCCEED();
}

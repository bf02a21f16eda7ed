#include "platform/tunereader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tunereader;

namespace {

QByteArray Be(quint32 v, int n)
{
    QByteArray out;
    for (int i = n - 1; i >= 0; --i)
        out.append(char((v >> (8 * i)) & 0xFF));
    return out;
}

QByteArray Le(quint32 v)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
    return out;
}

QByteArray Track(const char* hex)
{
    const QByteArray body = QByteArray::fromHex(hex);
    return "MTrk" + Be(quint32(body.size()), 4) + body;
}

QByteArray Header(int format, int tracks, int division)
{
    return "MThd" + Be(6, 4) + Be(quint32(format), 2) + Be(quint32(tracks), 2) + Be(quint32(division), 2);
}

// Middle C for one quarter (480 ticks) at the default 120 a minute: 0.5 s.
const char* kOneNote = "00903C40 8360803C40 00FF2F00";

QByteArray Riff(const QByteArray& form, const QByteArray& chunks)
{
    const QByteArray body = form + chunks;
    return "RIFF" + Le(quint32(body.size())) + body;
}

QByteArray RiffChunk(const char* id, const QByteArray& data)
{
    QByteArray out = QByteArray(id) + Le(quint32(data.size())) + data;
    if (data.size() & 1)
        out.append('\0');
    return out;
}

} // namespace

TEST(TuneReader, CodesForGoodAndBadTunes)
{
    const QByteArray good = Header(0, 1, 480) + Track(kOneNote);
    struct Case {
        const char* what;
        QByteArray bytes;
        int code;
    };
    const QByteArray hugeChunk = Header(0, 1, 480) + "MTrk" + Be(0x7FFFFFF0, 4) + QByteArray::fromHex(kOneNote);
    const Case cases[] = {
        {"one note", good, kOk},
        {"RMID wrapper, odd list chunk before the data", Riff("RMID", RiffChunk("LIST", "abc") + RiffChunk("data", good)), kOk},
        {"empty", QByteArray(), kNotMidi},
        {"text", QByteArray("Carousel, played on a calliope\n"), kNotMidi},
        {"RIFF of another kind", Riff("WAVE", RiffChunk("data", good)), kNotMidi},
        {"RMID wrapping junk", Riff("RMID", RiffChunk("data", "not a tune at all")), kNotMidi},
        {"RMID without data", Riff("RMID", RiffChunk("LIST", "abcd")), kDamaged},
        {"RMID data longer than the file", Riff("RMID", "data" + Le(1000) + good), kDamaged},
        {"cut in the last event", good.chopped(1), kDamaged},
        {"cut in the header", good.left(10), kDamaged},
        {"huge chunk length", hugeChunk, kDamaged},
        {"no note", Header(0, 1, 480) + Track("00FF510307A120 00FF2F00"), kDamaged},
        {"note-on of velocity 0 only", Header(0, 1, 480) + Track("00903C00 00FF2F00"), kDamaged},
        {"fewer tracks than the header says", Header(1, 2, 480) + Track(kOneNote), kDamaged},
        {"no tracks", Header(0, 0, 480), kDamaged},
        {"format 3", Header(3, 1, 480) + Track(kOneNote), kDamaged},
        {"division 0", Header(0, 1, 0) + Track(kOneNote), kDamaged},
        {"running status with nothing to run", Header(0, 1, 480) + Track("003C40 00FF2F00"), kDamaged},
        {"data byte with its top bit set", Header(0, 1, 480) + Track("00903CC0 00FF2F00"), kDamaged},
        {"endless delta", Header(0, 1, 480) + Track("FFFFFFFF7F903C40"), kDamaged},
        {"tempo of zero", Header(0, 1, 480) + Track("00FF5103000000 00903C40 00FF2F00"), kDamaged},
        {"system message in a track", Header(0, 1, 480) + Track("00F8 00903C40 00FF2F00"), kDamaged},
    };
    for (const Case& c : cases) {
        TuneInfo info;
        info.notes = -7;
        EXPECT_EQ(ReadTuneBytes(c.bytes, info), c.code) << c.what;
        if (c.code != kOk) {
            EXPECT_EQ(info.notes, -7) << c.what << ": nothing is filled on failure";
        }
    }
}

TEST(TuneReader, LengthFollowsTempoAndDivision)
{
    TuneInfo info;
    // Running status, a skipped unknown chunk, and a tempo change at tick 480 (to 60 a minute).
    const QByteArray twoTempos = Header(1, 2, 480) + Track("00FF510307A120 8360FF51030F4240 00FF2F00") +
                                 "junk" + Be(3, 4) + "xyz" +
                                 Track("00903C40 8360 3E40 8360903C00 00FF2F00");
    ASSERT_EQ(ReadTuneBytes(twoTempos, info), kOk);
    EXPECT_EQ(info.format, 1);
    EXPECT_EQ(info.tracks, 2);
    EXPECT_EQ(info.ticks, 960);
    EXPECT_EQ(info.notes, 2);
    EXPECT_DOUBLE_EQ(info.seconds, 0.5 + 1.0);
    EXPECT_EQ(info.midi, twoTempos);

    // 25 frames of 40 ticks: 1000 ticks a second.
    const int smpte = ((256 - 25) << 8) | 40;
    ASSERT_EQ(ReadTuneBytes(Header(0, 1, smpte) + Track("00903C40 8F508003C40 00FF2F00"), info), kDamaged)
        << "a note-off with three data bytes";
    ASSERT_EQ(ReadTuneBytes(Header(0, 1, smpte) + Track("00903C40 8F50803C40 00FF2F00"), info), kOk);
    EXPECT_DOUBLE_EQ(info.seconds, 2.0);

    const QByteArray inner = Header(0, 1, 480) + Track(kOneNote);
    ASSERT_EQ(ReadTuneBytes(Riff("RMID", RiffChunk("data", inner)), info), kOk);
    EXPECT_EQ(info.midi, inner) << "the wrapper is taken off";
}

TEST(TuneReader, FilesTooLargeOrMissingAreUnreadable)
{
    QTemporaryDir dir;
    TuneInfo info;
    EXPECT_EQ(ReadTuneFile(dir.filePath("gone.mid"), info), kUnreadable);
    EXPECT_EQ(ReadTuneFile(dir.path(), info), kUnreadable) << "a folder";

    QByteArray big = Header(0, 1, 480) + Track(kOneNote);
    big.append(QByteArray(kMaxBytes, '\0'));
    EXPECT_EQ(ReadTuneBytes(big, info), kUnreadable);
    QFile file(dir.filePath("big.mid"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(big);
    file.close();
    EXPECT_EQ(ReadTuneFile(file.fileName(), info), kUnreadable);
}

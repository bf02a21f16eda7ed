#include "tunecomposer.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace tunecomposer {
namespace {

constexpr int kWhole = 4 * kTicksPerQuarter;
constexpr int kMaxTicks = kTicksPerQuarter * 4 * 2000;

struct Note {
    int start = 0;
    int end = 0;
    int pitch = 0;
    int velocity = 0;
};

struct Token {
    QString text;
    int line;
};

struct Voice {
    QString name;
    int program = 0;
    int channel = 0;
    int velocity = 90;
    int volume = 100;
    int pan = 64;
    int legato = 90;
    QList<Token> tokens;
    int line = 0;
    QList<Note> notes;
    int endTick = 0;
};

class Failure {
public:
    Failure(int line, QString what) : text(QStringLiteral("line %1: %2").arg(line).arg(what)) {}
    QString text;
};

void AppendVarLen(QByteArray& out, quint32 value)
{
    quint8 bytes[4];
    int n = 0;
    bytes[n++] = value & 0x7F;
    while ((value >>= 7) != 0)
        bytes[n++] = 0x80 | (value & 0x7F);
    while (n > 0)
        out.append(static_cast<char>(bytes[--n]));
}

void AppendBigEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendChunk(QByteArray& out, const char* id, const QByteArray& body)
{
    out.append(id, 4);
    AppendBigEndian(out, static_cast<quint32>(body.size()), 4);
    out.append(body);
}

void AppendMeta(QByteArray& track, int delta, int type, const QByteArray& data)
{
    AppendVarLen(track, static_cast<quint32>(delta));
    track.append(static_cast<char>(0xFF));
    track.append(static_cast<char>(type));
    AppendVarLen(track, static_cast<quint32>(data.size()));
    track.append(data);
}

int ParseInt(const QString& text, int low, int high, int line, const QString& what)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw Failure(line, QStringLiteral("%1 must be %2 to %3, not '%4'").arg(what).arg(low).arg(high).arg(text));
    return value;
}

// "C4" is middle C (60); '#' raises and 'b' lowers a semitone.
int ParsePitch(const QString& text, int line)
{
    static const int kSteps[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (text.isEmpty() || text[0] < QLatin1Char('A') || text[0] > QLatin1Char('G'))
        throw Failure(line, QStringLiteral("'%1' is no pitch").arg(text));
    int semitone = kSteps[text[0].unicode() - 'A'];
    int i = 1;
    if (i < text.size() && text[i] == QLatin1Char('#')) {
        ++semitone;
        ++i;
    } else if (i < text.size() && text[i] == QLatin1Char('b')) {
        --semitone;
        ++i;
    }
    const int octave = ParseInt(text.mid(i), -1, 9, line, QStringLiteral("octave"));
    const int pitch = (octave + 1) * 12 + semitone;
    if (pitch < 0 || pitch > 127)
        throw Failure(line, QStringLiteral("'%1' is outside the MIDI range").arg(text));
    return pitch;
}

// "/4" quarter, "/8." dotted eighth, "/8t" triplet eighth, "/1*3" three whole notes.
int ParseDuration(const QString& text, int line)
{
    int i = 0;
    while (i < text.size() && text[i].isDigit())
        ++i;
    const int division = ParseInt(text.left(i), 1, 32, line, QStringLiteral("note value"));
    if (kWhole % division != 0)
        throw Failure(line, QStringLiteral("note value %1 does not divide a whole note").arg(division));
    int ticks = kWhole / division;
    int extra = ticks;
    for (; i < text.size() && text[i] == QLatin1Char('.'); ++i) {
        extra /= 2;
        ticks += extra;
    }
    if (i < text.size() && text[i] == QLatin1Char('t')) {
        ticks = ticks * 2 / 3;
        ++i;
    }
    if (i < text.size() && text[i] == QLatin1Char('*')) {
        ticks *= ParseInt(text.mid(i + 1), 1, 64, line, QStringLiteral("multiplier"));
        i = static_cast<int>(text.size());
    }
    if (i != text.size())
        throw Failure(line, QStringLiteral("'/%1' is no duration").arg(text));
    return ticks;
}

// Unfolds "{ ... }xN" blocks.
QList<Token> Expand(const QList<Token>& tokens)
{
    QList<QList<Token>> stack{QList<Token>()};
    int line = 0;
    for (const Token& t : tokens) {
        const QString& token = t.text;
        line = t.line;
        if (token == QLatin1String("{")) {
            stack.append(QList<Token>());
        } else if (token.startsWith(QLatin1Char('}'))) {
            if (stack.size() < 2)
                throw Failure(line, QStringLiteral("'}' without '{'"));
            int count = 1;
            if (token.size() > 1) {
                if (token[1] != QLatin1Char('x'))
                    throw Failure(line, QStringLiteral("'%1': a block ends with } or }xN").arg(token));
                count = ParseInt(token.mid(2), 1, 64, line, QStringLiteral("repeat count"));
            }
            const QList<Token> block = stack.takeLast();
            for (int i = 0; i < count; ++i)
                stack.last().append(block);
        } else {
            stack.last().append(t);
        }
    }
    if (stack.size() != 1)
        throw Failure(line, QStringLiteral("'{' without '}'"));
    return stack.first();
}

// A bar line must fall on a bar's start: it catches a miscounted bar.
void Perform(Voice& voice, int barTicks)
{
    const QList<Token> tokens = Expand(voice.tokens);
    int tick = 0;
    int duration = kTicksPerQuarter;
    int velocity = voice.velocity;
    int bar = 0;
    for (const Token& t : tokens) {
        const QString& token = t.text;
        const int line = t.line;
        if (token == QLatin1String("|")) {
            ++bar;
            if (tick % barTicks != 0)
                throw Failure(line, QStringLiteral("voice '%1': bar line %2 falls inside a bar").arg(voice.name).arg(bar));
            continue;
        }
        if (token.startsWith(QLatin1Char('v'))) {
            velocity = ParseInt(token.mid(1), 1, 127, line, QStringLiteral("velocity"));
            continue;
        }
        const qsizetype slash = token.indexOf(QLatin1Char('/'));
        const QString sound = slash < 0 ? token : token.left(slash);
        if (slash >= 0)
            duration = ParseDuration(token.mid(slash + 1), line);
        if (sound != QLatin1String("r")) {
            const int sounding = std::max(1, duration * voice.legato / 100);
            for (const QString& pitch : sound.split(QLatin1Char('+')))
                voice.notes.append(Note{tick, tick + sounding, ParsePitch(pitch, line), velocity});
        }
        tick += duration;
        if (tick > kMaxTicks)
            throw Failure(line, QStringLiteral("voice '%1' is far too long").arg(voice.name));
    }
    voice.endTick = tick;
}

QByteArray VoiceTrack(const Voice& voice)
{
    struct Event {
        int tick;
        int order; // note-offs before note-ons at the same tick
        int pitch;
        int velocity;
    };
    QList<Event> events;
    for (const Note& note : voice.notes) {
        events.append(Event{note.start, 1, note.pitch, note.velocity});
        events.append(Event{note.end, 0, note.pitch, 0});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick)
            return a.tick < b.tick;
        if (a.order != b.order)
            return a.order < b.order;
        return a.pitch < b.pitch;
    });

    QByteArray track;
    AppendMeta(track, 0, 0x03, voice.name.toLatin1());
    const char ch = static_cast<char>(voice.channel);
    track.append('\0');
    track.append(static_cast<char>(0xC0 | ch));
    track.append(static_cast<char>(voice.program));
    for (const auto& [control, value] : {std::pair{7, voice.volume}, std::pair{10, voice.pan}}) {
        track.append('\0');
        track.append(static_cast<char>(0xB0 | ch));
        track.append(static_cast<char>(control));
        track.append(static_cast<char>(value));
    }
    int last = 0;
    for (const Event& e : events) {
        AppendVarLen(track, static_cast<quint32>(e.tick - last));
        last = e.tick;
        track.append(static_cast<char>((e.order ? 0x90 : 0x80) | ch));
        track.append(static_cast<char>(e.pitch));
        track.append(static_cast<char>(e.order ? e.velocity : 64));
    }
    AppendMeta(track, 0, 0x2F, QByteArray());
    return track;
}

void ReadVoiceHeader(Voice& voice, const QStringList& words, int line)
{
    if (words.size() < 2 || words.size() % 2 != 0)
        throw Failure(line, QStringLiteral("voice NAME followed by KEY VALUE pairs"));
    voice.name = words[1];
    voice.line = line;
    for (int i = 2; i + 1 < words.size(); i += 2) {
        const QString& key = words[i];
        const QString& value = words[i + 1];
        if (key == QLatin1String("program"))
            voice.program = ParseInt(value, 0, 127, line, key);
        else if (key == QLatin1String("channel"))
            voice.channel = ParseInt(value, 0, 15, line, key);
        else if (key == QLatin1String("velocity"))
            voice.velocity = ParseInt(value, 1, 127, line, key);
        else if (key == QLatin1String("volume"))
            voice.volume = ParseInt(value, 0, 127, line, key);
        else if (key == QLatin1String("pan"))
            voice.pan = ParseInt(value, 0, 127, line, key);
        else if (key == QLatin1String("legato"))
            voice.legato = ParseInt(value, 10, 100, line, key);
        else
            throw Failure(line, QStringLiteral("unknown voice key '%1'").arg(key));
    }
}

// Words of a line, without a comment: a '#' that begins a word starts one.
QStringList Words(const QString& line)
{
    QStringList words;
    for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1Char('#')))
            break;
        words << word;
    }
    return words;
}

void ComposeOrThrow(const QString& text, Tune& tune)
{
    int tempo = 120;
    int meterTop = 4;
    int meterBottom = 4;
    QString title;
    QList<Voice> voices;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const int line = n + 1;
        QString plain = lines[n];
        plain.replace(QLatin1Char('\t'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
        const QStringList words = Words(plain);
        if (words.isEmpty())
            continue;
        const QString& key = words[0];
        const QString rest = plain.trimmed().mid(key.size()).trimmed();
        if (key == QLatin1String("voice")) {
            voices.append(Voice());
            ReadVoiceHeader(voices.last(), words, line);
        } else if (!voices.isEmpty()) {
            for (const QString& word : words)
                voices.last().tokens.append(Token{word, line});
        } else if (key == QLatin1String("file")) {
            tune.file = rest;
        } else if (key == QLatin1String("resource")) {
            tune.resource = rest;
        } else if (key == QLatin1String("title")) {
            title = rest;
        } else if (key == QLatin1String("tempo") && words.size() == 2) {
            tempo = ParseInt(words[1], 20, 300, line, key);
        } else if (key == QLatin1String("meter") && words.size() == 3) {
            meterTop = ParseInt(words[1], 1, 32, line, key);
            meterBottom = ParseInt(words[2], 1, 32, line, key);
            if (meterBottom & (meterBottom - 1))
                throw Failure(line, QStringLiteral("a meter's note value is a power of two"));
        } else {
            throw Failure(line, QStringLiteral("'%1' is no header line").arg(key));
        }
    }
    if (tune.file.isEmpty() || tune.resource.isEmpty())
        throw Failure(lines.size(), QStringLiteral("a tune needs its file and resource lines"));
    if (voices.isEmpty())
        throw Failure(lines.size(), QStringLiteral("a tune needs a voice"));

    int lastTick = 0;
    tune.notes = 0;
    for (Voice& voice : voices) {
        Perform(voice, meterTop * kWhole / meterBottom);
        tune.notes += static_cast<int>(voice.notes.size());
        for (const Note& note : voice.notes)
            lastTick = std::max(lastTick, note.end);
    }
    if (tune.notes == 0)
        throw Failure(lines.size(), QStringLiteral("a tune needs a note"));

    const quint32 microsPerQuarter = static_cast<quint32>(60000000 / tempo);
    QByteArray conductor;
    AppendMeta(conductor, 0, 0x03, (title.isEmpty() ? tune.file : title).toLatin1());
    int log2 = 0;
    while ((1 << log2) < meterBottom)
        ++log2;
    QByteArray meter;
    meter.append(static_cast<char>(meterTop)).append(static_cast<char>(log2)).append(char(24)).append(char(8));
    AppendMeta(conductor, 0, 0x58, meter);
    QByteArray tempoBytes;
    AppendBigEndian(tempoBytes, microsPerQuarter, 3);
    AppendMeta(conductor, 0, 0x51, tempoBytes);
    AppendMeta(conductor, 0, 0x2F, QByteArray());

    QByteArray header;
    AppendBigEndian(header, 1, 2);
    AppendBigEndian(header, static_cast<quint32>(voices.size() + 1), 2);
    AppendBigEndian(header, kTicksPerQuarter, 2);
    tune.midi.clear();
    AppendChunk(tune.midi, "MThd", header);
    AppendChunk(tune.midi, "MTrk", conductor);
    for (const Voice& voice : voices)
        AppendChunk(tune.midi, "MTrk", VoiceTrack(voice));
    tune.voices = static_cast<int>(voices.size());
    tune.seconds = double(lastTick) * microsPerQuarter / kTicksPerQuarter / 1e6;
}

} // namespace

bool Compose(const QString& text, Tune& tune, QString* error)
{
    tune = Tune();
    try {
        ComposeOrThrow(text, tune);
        return true;
    } catch (const Failure& failure) {
        if (error)
            *error = failure.text;
        tune.midi.clear();
        return false;
    }
}

QString CheckLimits(const Tune& tune)
{
    if (tune.seconds < 30 || tune.seconds > 180)
        return QStringLiteral("lasts %1 s, not 30 s to 3 min").arg(tune.seconds, 0, 'f', 1);
    if (tune.voices < 2)
        return QStringLiteral("has %1 voice, not two or more").arg(tune.voices);
    if (tune.midi.size() >= 16 * 1024)
        return QStringLiteral("takes %1 bytes, not under 16 KB").arg(tune.midi.size());
    return QString();
}

} // namespace tunecomposer

#pragma once
// Small media made in memory for the engine tests, and a reader that measures
// the sound in a WAV file written by libVLC's file audio output.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <optional>

namespace mediatest {

struct Sound {
    double rms = 0;       // over all samples, full scale = 1
    double seconds = 0;   // length of the sound
    double frequency = 0; // of a pure tone: zero crossings of the first channel
};

namespace detail {

inline void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

inline void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace detail

// A 16-bit stereo WAV of a sine of the given amplitude (0..1).
inline QByteArray sineWav(double seconds, double amplitude = 0.5, int rate = 44100, double frequency = 440.0)
{
    const int frames = static_cast<int>(seconds * rate);
    const quint32 dataBytes = static_cast<quint32>(frames) * 4;
    QByteArray out;
    out.append("RIFF");
    detail::put32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    detail::put32(out, 16);
    detail::put16(out, 1);  // PCM
    detail::put16(out, 2);
    detail::put32(out, static_cast<quint32>(rate));
    detail::put32(out, static_cast<quint32>(rate) * 4);
    detail::put16(out, 4);
    detail::put16(out, 16);
    out.append("data");
    detail::put32(out, dataBytes);
    for (int i = 0; i < frames; ++i) {
        const auto sample = static_cast<qint16>(std::lround(amplitude * 32767.0 * std::sin(2 * M_PI * frequency * i / rate)));
        detail::put16(out, static_cast<quint16>(sample));
        detail::put16(out, static_cast<quint16>(sample));
    }
    return out;
}

// A type-0 standard MIDI file: a piano playing a few notes for about 1.5 s.
inline QByteArray smallMidi()
{
    // Division 96 ticks a quarter at the default 120 beats a minute: 96 ticks
    // last half a second.
    QByteArray track;
    auto event = [&](int delta, std::initializer_list<int> bytes) {
        // Deltas here are below 0x4000: two bytes of variable length at most.
        if (delta >= 0x80)
            track.append(static_cast<char>(0x80 | (delta >> 7)));
        track.append(static_cast<char>(delta & 0x7f));
        for (int b : bytes)
            track.append(static_cast<char>(b));
    };
    event(0, {0xC0, 0x00});  // acoustic grand piano
    event(0, {0x90, 60, 110});
    event(96, {0x80, 60, 0});
    event(0, {0x90, 64, 110});
    event(96, {0x80, 64, 0});
    event(0, {0x90, 60, 110});
    event(0, {0x90, 64, 110});
    event(0, {0x90, 67, 110});
    event(96, {0x80, 60, 0});
    event(0, {0x80, 64, 0});
    event(0, {0x80, 67, 0});
    event(0, {0xFF, 0x2F, 0x00});  // end of track

    QByteArray out("MThd");
    out.append("\0\0\0\6", 4);
    out.append("\0\0\0\1\0\x60", 6);  // type 0, one track, 96 ticks a quarter
    out.append("MTrk");
    char size[4];
    qToBigEndian(static_cast<quint32>(track.size()), size);
    out.append(size, 4);
    out.append(track);
    return out;
}

// Measures a WAV file of 16-bit or 32-bit float PCM; nothing for anything else.
inline std::optional<Sound> measureWav(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    int format = 0, channels = 0, bits = 0, rate = 0;
    qsizetype pos = 12;
    while (pos + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        quint32 size = qFromLittleEndian<quint32>(bytes.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (id == "fmt " && body + 16 <= bytes.size()) {
            format = qFromLittleEndian<quint16>(bytes.constData() + body);
            channels = qFromLittleEndian<quint16>(bytes.constData() + body + 2);
            rate = static_cast<int>(qFromLittleEndian<quint32>(bytes.constData() + body + 4));
            bits = qFromLittleEndian<quint16>(bytes.constData() + body + 14);
            if (format == 0xFFFE && size >= 40)  // extensible: the real format follows
                format = qFromLittleEndian<quint16>(bytes.constData() + body + 24);
        } else if (id == "data") {
            // A header that was never finished says 0: take the rest.
            if (size == 0 || body + size > static_cast<quint64>(bytes.size()))
                size = static_cast<quint32>(bytes.size() - body);
            const int width = bits / 8;
            if (channels <= 0 || rate <= 0 || width <= 0 || !((format == 1 && bits == 16) || (format == 3 && bits == 32)))
                return std::nullopt;
            const qsizetype count = size / width;
            double sum = 0;
            qsizetype crossings = 0;
            double previous = 0;
            for (qsizetype i = 0; i < count; ++i) {
                const char* p = bytes.constData() + body + i * width;
                double v;
                if (format == 1) {
                    v = qFromLittleEndian<qint16>(p) / 32768.0;
                } else {
                    float f;
                    const quint32 raw = qFromLittleEndian<quint32>(p);
                    std::memcpy(&f, &raw, sizeof f);
                    v = f;
                }
                sum += v * v;
                if (i % channels == 0) {
                    if ((previous < 0 && v >= 0) || (previous >= 0 && v < 0))
                        ++crossings;
                    previous = v;
                }
            }
            Sound sound;
            sound.rms = count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
            sound.seconds = static_cast<double>(count) / channels / rate;
            sound.frequency = sound.seconds > 0 ? crossings / 2.0 / sound.seconds : 0.0;
            return sound;
        }
        pos = body + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace mediatest

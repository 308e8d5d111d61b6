#pragma once
// Tagged media made in memory: ID3v1 and ID3v2.3 tags around a few silent
// MPEG frames, a WAV with a RIFF INFO list, an AVI's INFO list, a MIDI file
// with text events, and CD-Text packs for a disc image.

#include "engine/MediaTestFiles.h"

#include <QList>
#include <QtEndian>

namespace tagfixture {

// The text of an ID3v2.3 frame: its encoding byte, then the bytes.
struct Frame {
    QByteArray id;
    char encoding;  // 0 declared Latin-1, 1 UTF-16 with a byte-order mark
    QByteArray text;
};

inline QByteArray be32(quint32 v, bool synchsafe = false)
{
    if (synchsafe)
        v = (v & 0x7F) | ((v << 1) & 0x7F00) | ((v << 2) & 0x7F0000) | ((v << 3) & 0x7F000000);
    char b[4];
    qToBigEndian(v, b);
    return QByteArray(b, 4);
}

inline QByteArray le32(quint32 v)
{
    return be32(qbswap(v));
}

// Silent MPEG-1 layer III frames (128 kbit/s, 44.1 kHz): 417 bytes each.
inline QByteArray mpegFrames(int count = 8)
{
    return (QByteArray("\xFF\xFB\x90\x64", 4) + QByteArray(417 - 4, '\0')).repeated(count);
}

inline QByteArray id3v2(const QList<Frame>& frames)
{
    QByteArray body;
    for (const Frame& f : frames)
        body += f.id + be32(f.text.size() + 1) + QByteArray(2, '\0') + f.encoding + f.text;
    return QByteArray("ID3\x03\x00\x00", 6) + be32(body.size(), true) + body;
}

inline QByteArray id3v1(const QByteArray& title, const QByteArray& artist, const QByteArray& album)
{
    auto field = [](QByteArray text, int size) { return text.leftJustified(size, '\0', true); };
    return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field("2026", 4) + field({}, 30)
        + QByteArray(1, '\xFF');
}

// A RIFF INFO list: (id, bytes) pairs, each ended by a NUL.
inline QByteArray infoList(const QList<QPair<QByteArray, QByteArray>>& fields)
{
    QByteArray body("INFO");
    for (const auto& [id, text] : fields) {
        QByteArray data = text + '\0';
        body += id + le32(data.size()) + data;
        if (data.size() & 1)
            body += '\0';
    }
    return "LIST" + le32(body.size()) + body;
}

// A playable WAV with the list after its samples.
inline QByteArray wavWithInfo(const QByteArray& list)
{
    const QByteArray wav = mediatest::sineWav(1.0) + list;
    return wav.first(4) + le32(wav.size() - 8) + wav.sliced(8);
}

// An AVI's outline: a header list, the list, an empty movie list.
inline QByteArray aviWithInfo(const QByteArray& list)
{
    QByteArray hdrl = "LIST" + le32(4 + 8 + 56) + "hdrl" + "avih" + le32(56) + QByteArray(56, '\0');
    QByteArray body = "AVI " + hdrl + list + "LIST" + le32(4) + "movi";
    return "RIFF" + le32(body.size()) + body;
}

// A type-1 MIDI file: a first track holding a track name, then the
// playable track of mediatest::smallMidi().
inline QByteArray midiWithName(const QByteArray& name, const QByteArray& copyright = {})
{
    auto meta = [](char type, const QByteArray& data) {
        return QByteArray("\x00\xFF", 2) + type + char(data.size()) + data;
    };
    QByteArray first = meta(0x03, name) + (copyright.isEmpty() ? QByteArray() : meta(0x02, copyright))
        + QByteArray("\x00\xFF\x2F\x00", 4);
    // The header of a file of two tracks, then the first and smallMidi()'s one.
    return QByteArray("MThd\0\0\0\6\0\1\0\2\0\x60", 14) + "MTrk" + be32(first.size()) + first
        + mediatest::smallMidi().mid(14);
}

// CD-Text packs of one block: titles and performers, album first (CRCs
// left zero: nothing checks them).
struct CdTextBlock {
    char charCode;  // 0x00 ISO-8859-1, 0x80 MS-JIS
    char language;  // 0x09 English, 0x69 Japanese
    QList<QByteArray> titles;
    QList<QByteArray> performers;
};

inline QByteArray cdTextPacks(const QList<CdTextBlock>& blocks)
{
    QByteArray out;
    QByteArray languages(8, '\0');
    for (int b = 0; b < blocks.size(); ++b)
        languages[b] = blocks[b].language;
    for (int b = 0; b < blocks.size(); ++b) {
        const CdTextBlock& block = blocks[b];
        const bool dbcc = block.charCode == '\x80';
        int sequence = 0;
        QByteArray counts(16, '\0');
        auto pack = [&](char type, int track, int position, const QByteArray& text) {
            out += type + QByteArray(1, char(track)) + char(sequence++)
                + char((dbcc ? 0x80 : 0) | (b << 4) | std::min(position, 15)) + text + QByteArray(2, '\0');
            ++counts[type & 0x0F];
        };
        for (char type : {'\x80', '\x81'}) {
            const QList<QByteArray>& strings = type == '\x80' ? block.titles : block.performers;
            QByteArray text;
            QList<int> starts;
            for (const QByteArray& s : strings) {
                starts << text.size();
                text += s + QByteArray(dbcc ? 2 : 1, '\0');
            }
            for (qsizetype at = 0; at < text.size(); at += 12) {
                int track = 0;
                while (track + 1 < starts.size() && starts[track + 1] <= at)
                    ++track;
                pack(type, track, int(at - starts[track]) / (dbcc ? 2 : 1), text.mid(at, 12).leftJustified(12, '\0'));
            }
        }
        counts[15] = 3;
        QByteArray lastSequence(8, '\0');
        lastSequence[b] = char(sequence + 2);
        const QByteArray info = QByteArray(1, block.charCode) + '\x01' + char(block.titles.size() - 1) + '\0' + counts
            + lastSequence + languages;
        for (int i = 0; i < 3; ++i)
            pack('\x8F', i, 0, info.mid(12 * i, 12));
    }
    return out;
}

} // namespace tagfixture

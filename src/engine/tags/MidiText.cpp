#include "engine/tags/MidiText.h"

#include "engine/MidiHeader.h"
#include "engine/tags/TagText.h"

#include <QtEndian>

namespace {

constexpr unsigned char kMeta = 0xFF;
constexpr unsigned char kText = 0x01;
constexpr unsigned char kCopyright = 0x02;
constexpr unsigned char kTrackName = 0x03;
constexpr unsigned char kEndOfTrack = 0x2F;

// Reads one track's bytes; false once an event is cut off or damaged.
class TrackReader {
public:
    explicit TrackReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_at >= m_bytes.size(); }

    bool byte(unsigned char& out)
    {
        if (atEnd())
            return false;
        out = static_cast<unsigned char>(m_bytes[m_at++]);
        return true;
    }

    // A variable-length quantity: at most four bytes of seven bits.
    bool number(quint32& out)
    {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            unsigned char b;
            if (!byte(b))
                return false;
            out = (out << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }

    bool take(quint32 length, QByteArrayView& out)
    {
        if (length > quint64(m_bytes.size() - m_at))
            return false;
        out = m_bytes.sliced(m_at, length);
        m_at += length;
        return true;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

struct Found {
    QString trackName;   // of the first track
    QString firstText;
    QString copyright;
    bool complete() const { return !trackName.isEmpty() && !copyright.isEmpty(); }
};

// The data bytes that follow a channel message's status byte.
int dataBytes(unsigned char status)
{
    const unsigned char kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

void readTrack(QByteArrayView bytes, bool first, Found& found)
{
    TrackReader track(bytes);
    unsigned char running = 0;
    while (!track.atEnd()) {
        quint32 delta;
        unsigned char status;
        if (!track.number(delta) || !track.byte(status))
            return;
        if (status == kMeta) {
            unsigned char type;
            quint32 length;
            QByteArrayView data;
            if (!track.byte(type) || !track.number(length) || !track.take(length, data))
                return;
            if (type == kEndOfTrack)
                return;
            QString* field = type == kTrackName && first ? &found.trackName
                : type == kText                          ? &found.firstText
                : type == kCopyright                     ? &found.copyright
                                                         : nullptr;
            if (field && field->isEmpty())
                *field = tagText(data);
            running = 0;
        } else if (status == 0xF0 || status == 0xF7) {
            quint32 length;
            QByteArrayView data;
            if (!track.number(length) || !track.take(length, data))
                return;
            running = 0;
        } else if (status >= 0xF0) {
            return;  // no other system message belongs in a file
        } else {
            int remaining = dataBytes(status);
            if (status < 0x80) {
                // Running status: this byte is the first data byte.
                if (!running)
                    return;
                --remaining;
            } else {
                running = status;
            }
            QByteArrayView data;
            if (!track.take(remaining, data))
                return;
        }
    }
}

// The standard MIDI file inside a RIFF MIDI file's "data" chunk.
QByteArrayView standardMidiFile(QByteArrayView bytes)
{
    if (!IsRiffMidiHead(bytes))
        return bytes;
    qsizetype at = kMidiHeadBytes;
    while (bytes.size() - at >= 8) {
        const quint32 size = qFromLittleEndian<quint32>(bytes.data() + at + 4);
        const qsizetype body = at + 8;
        if (bytes.sliced(at, 4) == "data")
            return bytes.sliced(body, std::min<qint64>(size, bytes.size() - body));
        if (size > quint64(bytes.size() - body))
            break;
        at = body + size + (size & 1);
    }
    return {};
}

} // namespace

MediaTags readMidiText(QByteArrayView bytes)
{
    bytes = standardMidiFile(bytes.first(std::min(bytes.size(), kMaxMidiBytes)));
    if (!IsStandardMidiHead(bytes))
        return {};
    Found found;
    qsizetype at = 0;
    bool first = true;
    // Chunks: the header, then tracks; chunks of other kinds are skipped.
    while (bytes.size() - at >= 8 && !found.complete()) {
        const quint32 size = qFromBigEndian<quint32>(bytes.data() + at + 4);
        const qsizetype body = at + 8;
        const qsizetype length = std::min<qint64>(size, bytes.size() - body);
        if (bytes.sliced(at, 4) == "MTrk") {
            readTrack(bytes.sliced(body, length), first, found);
            first = false;
        }
        if (size > quint64(bytes.size() - body))
            break;
        at = body + size;
    }
    MediaTags tags;
    tags.title = found.trackName.isEmpty() ? found.firstText : found.trackName;
    tags.copyright = found.copyright;
    return tags;
}

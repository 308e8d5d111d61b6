#pragma once
// Damages a valid media file the way a bad download or a half-finished copy
// does: flipped bits, a cut at any point, chunk and box sizes that lie, a
// zeroed header, lengths far beyond the file.

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <iterator>
#include <random>

namespace mediatest {

enum class Mutation { BitFlips, Truncate, LyingSize, ZeroHeader, HugeLength };
constexpr int kMutationCount = 5;
inline const char* mutationName(Mutation m)
{
    static const char* names[] = {"bit flips", "truncated", "lying size", "zeroed header", "huge length"};
    return names[int(m)];
}

namespace detail {

// A length field inside the file: where, how wide, which byte order.
struct SizeField {
    qsizetype offset = 0;
    int width = 4;
    bool bigEndian = false;
};

inline void addAll(QList<SizeField>& fields, const QByteArray& bytes, const QByteArray& tag, int delta, int width,
                   bool bigEndian)
{
    for (qsizetype i = bytes.indexOf(tag); i >= 0; i = bytes.indexOf(tag, i + 1)) {
        const qsizetype at = i + delta;
        if (at >= 0 && at + width <= bytes.size())
            fields << SizeField{at, width, bigEndian};
    }
}

// The length fields of RIFF (WAV, AVI) chunks and a WAV's format, MIDI
// chunks, QuickTime boxes, MPEG packets and an ID3 tag.
inline QList<SizeField> sizeFields(const QByteArray& bytes)
{
    QList<SizeField> fields;
    for (const char* tag : {"RIFF", "LIST", "fmt ", "data", "avih", "strh", "strf", "movi", "idx1", "JUNK"})
        addAll(fields, bytes, tag, 4, 4, false);
    for (int delta : {10, 12, 16, 20, 22})  // channels, rate, byte rate, block align, bits
        addAll(fields, bytes, "fmt ", delta, delta == 12 || delta == 16 ? 4 : 2, false);
    for (const char* tag : {"MThd", "MTrk"})
        addAll(fields, bytes, tag, 4, 4, true);
    for (const char* tag : {"ftyp", "moov", "mvhd", "trak", "tkhd", "mdia", "mdhd", "minf", "stbl", "stsd", "stts",
                            "stsc", "stsz", "stco", "mdat", "udta"})
        addAll(fields, bytes, tag, -4, 4, true);
    for (const char* code : {"\x00\x00\x01\xBB", "\x00\x00\x01\xC0", "\x00\x00\x01\xE0", "\x00\x00\x01\xBE"})
        addAll(fields, bytes, QByteArray(code, 4), 4, 2, true);
    if (bytes.startsWith("ID3") && bytes.size() >= 10)
        fields << SizeField{6, 4, true};
    return fields;
}

inline void put(QByteArray& bytes, const SizeField& field, quint32 value)
{
    char* at = bytes.data() + field.offset;
    if (field.width == 2)
        field.bigEndian ? qToBigEndian(quint16(value), at) : qToLittleEndian(quint16(value), at);
    else
        field.bigEndian ? qToBigEndian(value, at) : qToLittleEndian(value, at);
}

inline quint32 get(const QByteArray& bytes, const SizeField& field)
{
    const char* at = bytes.constData() + field.offset;
    if (field.width == 2)
        return field.bigEndian ? qFromBigEndian<quint16>(at) : qFromLittleEndian<quint16>(at);
    return field.bigEndian ? qFromBigEndian<quint32>(at) : qFromLittleEndian<quint32>(at);
}

} // namespace detail

// A mutant of valid; never the same bytes, never empty.
inline QByteArray mutate(const QByteArray& valid, Mutation mutation, std::mt19937_64& random)
{
    auto below = [&](qsizetype n) { return qsizetype(std::uniform_int_distribution<qint64>(0, qMax<qint64>(n, 1) - 1)(random)); };
    QByteArray bytes = valid;
    const QList<detail::SizeField> fields = detail::sizeFields(bytes);
    if ((mutation == Mutation::LyingSize || mutation == Mutation::HugeLength) && fields.isEmpty())
        mutation = Mutation::BitFlips;
    switch (mutation) {
    case Mutation::BitFlips: {
        // Half of the time in the header, where a flip matters most.
        const qsizetype span = below(2) ? qMin<qsizetype>(bytes.size(), 512) : bytes.size();
        for (qsizetype n = 1 + below(16); n > 0; --n) {
            const qsizetype at = below(span);
            bytes[at] = char(bytes[at] ^ char(1 << below(8)));
        }
        break;
    }
    case Mutation::Truncate:
        bytes.truncate(1 + below(bytes.size() - 1));
        break;
    case Mutation::LyingSize: {
        const detail::SizeField field = fields[below(fields.size())];
        const quint32 was = detail::get(bytes, field);
        const quint32 lies[] = {0, 1, 7, was / 2, was + 1 + quint32(below(64)), was * 2 + 8,
                                quint32(random()), quint32(bytes.size())};
        detail::put(bytes, field, lies[below(std::size(lies))]);
        break;
    }
    case Mutation::ZeroHeader: {
        const qsizetype count = qMin<qsizetype>(bytes.size(), 4 + below(256));
        std::fill(bytes.begin(), bytes.begin() + count, '\0');
        break;
    }
    case Mutation::HugeLength: {
        const quint32 huge[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0xFFFFFFF0u, 0x80000000u};
        for (qsizetype n = 1 + below(3); n > 0; --n)
            detail::put(bytes, fields[below(fields.size())], huge[below(std::size(huge))]);
        break;
    }
    }
    if (bytes == valid)  // a flip that flipped back, a lie that told the truth
        bytes[below(bytes.size())] = char(bytes[0] ^ 0x5A);
    return bytes;
}

} // namespace mediatest

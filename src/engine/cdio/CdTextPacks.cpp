#include "engine/cdio/CdTextPacks.h"

#include "text/TextDecoding.h"

#include <array>

namespace {

constexpr unsigned char kTitlePack = 0x80;
constexpr unsigned char kPerformerPack = 0x81;
constexpr unsigned char kSizeInfoPack = 0x8F;
constexpr unsigned char kJapanese = 0x69;
constexpr unsigned char kIso8859_1 = 0x00;
constexpr unsigned char kAscii = 0x01;
constexpr unsigned char kMsJis = 0x80;
constexpr int kBlocks = 8;
constexpr int kMaxTrack = 99;
constexpr qsizetype kMaxFieldLength = 1024;

struct Block {
    QByteArray titles;       // the text bytes of the title packs, in order
    QByteArray performers;
    int firstTitleTrack = -1;
    int firstPerformerTrack = -1;
    QByteArray sizeInfo = QByteArray(36, '\0');
    bool hasSizeInfo = false;
    bool doubleByte = false;
    bool used = false;
};

QString decodeIn(unsigned char charCode, QByteArrayView bytes)
{
    QString text;
    switch (charCode) {
    case kIso8859_1:
        text = QString::fromLatin1(bytes);
        break;
    case kAscii:
        text = QString::fromLatin1(bytes);
        for (QChar& c : text)
            if (c.unicode() >= 0x80)
                c = QChar::ReplacementCharacter;
        break;
    case kMsJis:
        text = text::decodeCp932Lenient(bytes);
        break;
    default:
        text = text::decodeByteString(bytes);
        break;
    }
    text = text.trimmed();
    text.truncate(kMaxFieldLength);
    return text;
}

// The strings of one pack type, by track number from first: each ends in a
// NUL (two in double-byte text); a lone tab repeats the string before it.
QMap<int, QString> strings(const QByteArray& bytes, int first, bool doubleByte, unsigned char charCode)
{
    QMap<int, QString> out;
    const QByteArrayView terminator = doubleByte ? QByteArrayView("\0\0", 2) : QByteArrayView("\0", 1);
    const QByteArrayView tab = doubleByte ? QByteArrayView("\t\t") : QByteArrayView("\t");
    QString previous;
    qsizetype at = 0;
    for (int track = first; track <= kMaxTrack && at < bytes.size(); ++track) {
        qsizetype end = bytes.indexOf(terminator, at);
        if (end < 0)
            end = bytes.size();
        QByteArrayView piece = QByteArrayView(bytes).sliced(at, end - at);
        // A lone NUL left over in double-byte text is padding.
        if (const qsizetype nul = piece.indexOf('\0'); nul >= 0)
            piece = piece.first(nul);
        const QString text = piece == tab ? previous : decodeIn(charCode, piece);
        if (!text.isEmpty())
            out.insert(track, text);
        previous = text;
        at = end + terminator.size();
    }
    return out;
}

std::array<Block, kBlocks> readBlocks(QByteArrayView raw)
{
    std::array<Block, kBlocks> blocks;
    for (qsizetype at = 0; at + kCdTextPackBytes <= raw.size(); at += kCdTextPackBytes) {
        const auto* pack = reinterpret_cast<const unsigned char*>(raw.data() + at);
        const unsigned char type = pack[0];
        const int track = pack[1] & 0x7F;
        Block& block = blocks[(pack[3] >> 4) & 0x07];
        const QByteArrayView text = raw.sliced(at + 4, 12);
        if (type == kTitlePack || type == kPerformerPack) {
            const bool title = type == kTitlePack;
            (title ? block.titles : block.performers).append(text);
            int& first = title ? block.firstTitleTrack : block.firstPerformerTrack;
            if (first < 0)
                first = track;
            block.doubleByte = block.doubleByte || (pack[3] & 0x80);
            block.used = true;
        } else if (type == kSizeInfoPack && track < 3) {
            block.sizeInfo.replace(track * 12, 12, text.toByteArray());
            block.hasSizeInfo = true;
            block.used = true;
        }
    }
    return blocks;
}

} // namespace

CdText decodeCdText(QByteArrayView raw)
{
    raw = raw.first(std::min(raw.size(), kMaxCdTextBytes));
    // A drive's answer starts with a 4-byte header (length, two reserved
    // bytes); a file may or may not keep it.
    // (A trailing NUL is left over by some writers.)
    const qsizetype rest = raw.size() % kCdTextPackBytes;
    if (rest == 4 || rest == 5)
        raw = raw.sliced(4);
    const std::array<Block, kBlocks> blocks = readBlocks(raw);

    // Each block's size information names every block's language.
    int chosen = -1;
    for (int b = 0; b < kBlocks && chosen < 0; ++b) {
        const Block& block = blocks[b];
        if (block.used && block.hasSizeInfo && static_cast<unsigned char>(block.sizeInfo[28 + b]) == kJapanese)
            chosen = b;
    }
    for (int b = 0; b < kBlocks && chosen < 0; ++b)
        if (blocks[b].used)
            chosen = b;
    if (chosen < 0)
        return {};

    const Block& block = blocks[chosen];
    // Without size information, double-byte packs are taken for MS-JIS.
    const unsigned char charCode = block.hasSizeInfo ? static_cast<unsigned char>(block.sizeInfo[0])
        : block.doubleByte                           ? kMsJis
                                                     : kIso8859_1;
    const bool doubleByte = block.doubleByte || charCode == kMsJis;
    QMap<int, QString> titles = strings(block.titles, block.firstTitleTrack, doubleByte, charCode);
    QMap<int, QString> performers = strings(block.performers, block.firstPerformerTrack, doubleByte, charCode);

    CdText text;
    text.album = titles.take(0);
    text.performer = performers.take(0);
    for (auto it = titles.cbegin(); it != titles.cend(); ++it)
        text.tracks[it.key()].title = it.value();
    for (auto it = performers.cbegin(); it != performers.cend(); ++it)
        text.tracks[it.key()].performer = it.value();
    return text;
}

qsizetype driveCdTextSize(const unsigned char* answer, qsizetype bufferBytes)
{
    if (!answer || bufferBytes < 2)
        return 0;
    const qsizetype reported = (qsizetype(answer[0]) << 8 | answer[1]) + 2;
    return std::min(reported, bufferBytes);
}

CdText decodeDriveCdText(const unsigned char* answer, qsizetype bufferBytes)
{
    const qsizetype size = driveCdTextSize(answer, bufferBytes);
    return decodeCdText(QByteArrayView(reinterpret_cast<const char*>(answer), size));
}

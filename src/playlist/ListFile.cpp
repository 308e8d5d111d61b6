#include "playlist/ListFile.h"

#include "system/FileNames.h"
#include "text/TextDecoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr QChar kByteOrderMark(0xFEFF);
const QByteArray kUtf8ByteOrderMark = text::kUtf8ByteOrderMark.toByteArray();
const QString kLineEnd = QStringLiteral("\r\n");
// The name ICU gives the Japanese Windows code page (with the vendor
// extensions, and 0x5C as the backslash that separates folders).
constexpr const char* kLegacyEncoding = "Shift_JIS";

constexpr auto kDecoderFlags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

// The text of bytes known to be valid UTF-8, every mark at their start
// included (QString::fromUtf8 would drop the first of them).
QString fromValidUtf8(QByteArrayView bytes)
{
    if (!bytes.startsWith(kUtf8ByteOrderMark))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringConverter::Utf8, kDecoderFlags);
    return decoder.decode(bytes);
}

#ifdef Q_OS_WIN
std::optional<QByteArray> encodeLocale(const QString& text)
{
    QStringEncoder encoder(QStringConverter::System, QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
#endif

// How the lines of a list file's bytes become text: UTF-8 after a
// byte-order mark, else the locale encoding when every byte is valid in it,
// else Shift-JIS. Names: UTF-8 with every other byte kept, as file names
// keep them (system/FileNames.h), where the bytes are not valid in those.
enum class Encoding { Utf8, Locale, Legacy, Names };

// Qt takes the locale encoding to be UTF-8 on every system but Windows, and
// UTF-8 has a fast check of its own, many times quicker than a decoder that
// reports errors.
std::optional<Encoding> encodingOf(QByteArrayView bytes)
{
#ifdef Q_OS_WIN
    if (text::decodeLocale(bytes))
        return Encoding::Locale;
#else
    if (bytes.isValidUtf8())
        return Encoding::Utf8;
#endif
    if (text::decodeCp932(bytes))
        return Encoding::Legacy;
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    return Encoding::Names;
#endif
}

// Visits the non-empty lines; CR LF, LF and a lone CR each end a line, and
// the last line needs no end. Lines are split on the bytes: CR and LF are
// never part of a multi-byte character in the encodings read here.
template <typename Visit>
void forEachNonEmptyLine(QByteArrayView bytes, Visit&& visit)
{
    const char* const data = bytes.data();
    const qsizetype length = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        if (i > start)
            visit(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < length && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < length)
        visit(bytes.sliced(start));
}

#ifdef Q_OS_WIN
bool storable(const QString& entry)
{
    return !entry.contains(u'\r') && !entry.contains(u'\n') && !entry.contains(QChar(0));
}
#endif

} // namespace

bool ListFileScan::feed(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (lineLength > 0)
                ++entries;
            lineLength = 0;
        } else if (c == '\0' || ++lineLength > kMaxListLineBytes) {
            // A path never holds a NUL: such bytes are no list file in any encoding.
            return false;
        }
    }
    return entries + (lineLength > 0 ? 1 : 0) <= kMaxListEntries;
}

std::optional<QStringList> decodeListFile(const QByteArray& bytes)
{
    ListFileScan scan;
    if (!scan.feed(bytes))
        return std::nullopt;
    return decodeScannedListFile(bytes, scan);
}

std::optional<QStringList> decodeScannedListFile(QByteArrayView bytes, const ListFileScan& scan)
{
    std::optional<Encoding> encoding = Encoding::Utf8;
    if (bytes.startsWith(kUtf8ByteOrderMark)) {
        bytes = bytes.sliced(kUtf8ByteOrderMark.size());
        if (!bytes.isValidUtf8()) {
#ifdef Q_OS_WIN
            return std::nullopt;
#else
            encoding = Encoding::Names;
#endif
        }
    } else {
        encoding = encodingOf(bytes);
    }
    if (!encoding)
        return std::nullopt;

    QStringList lines;
    lines.reserve(scan.entries + 1);
    QStringDecoder decoder = *encoding == Encoding::Legacy
                                 ? QStringDecoder(kLegacyEncoding, kDecoderFlags)
                                 : QStringDecoder(QStringConverter::System, kDecoderFlags);
    forEachNonEmptyLine(bytes, [&](QByteArrayView line) {
        if (*encoding == Encoding::Utf8)
            lines.append(fromValidUtf8(line));
        else if (*encoding == Encoding::Names)
            lines.append(sys::nameFromBytes(line));
        else
            lines.append(decoder.decode(line));
    });
    if (decoder.hasError())
        return std::nullopt;
    return lines;
}

Utf8ListDecoder::Fed Utf8ListDecoder::feed(QByteArrayView bytes)
{
    if (!m_scan.feed(bytes))
        return Fed::Refused;
    if (!m_started) {
        m_started = true;
        if (bytes.startsWith(kUtf8ByteOrderMark))
            bytes = bytes.sliced(kUtf8ByteOrderMark.size());
    }
    qsizetype lastEnd = bytes.size() - 1;
    while (lastEnd >= 0 && bytes[lastEnd] != '\r' && bytes[lastEnd] != '\n')
        --lastEnd;
    if (lastEnd < 0) {
        m_pending.append(bytes);  // short: the scan caps a line's length
        return Fed::Taken;
    }
    // A multi-byte character never holds a line end, so lines that have
    // ended are valid UTF-8 exactly when all of the file up to them is.
    bool decoded = true;
    if (!m_pending.isEmpty()) {
        qsizetype firstEnd = 0;
        while (bytes[firstEnd] != '\r' && bytes[firstEnd] != '\n')
            ++firstEnd;
        m_pending.append(bytes.first(firstEnd));
        decoded = decodeLines(m_pending);
        bytes = bytes.sliced(firstEnd);
        lastEnd -= firstEnd;
    }
    decoded = decoded && decodeLines(bytes.first(lastEnd + 1));
    m_pending = bytes.sliced(lastEnd + 1).toByteArray();
    return decoded ? Fed::Taken : Fed::NotUtf8;
}

Utf8ListDecoder::Fed Utf8ListDecoder::finish()
{
    if (!decodeLines(m_pending))
        return Fed::NotUtf8;
    m_pending.clear();
    return Fed::Taken;
}

bool Utf8ListDecoder::decodeLines(QByteArrayView bytes)
{
    if (!bytes.isValidUtf8())
        return false;
    forEachNonEmptyLine(bytes, [&](QByteArrayView line) { m_lines.append(fromValidUtf8(line)); });
    return true;
}

#ifndef Q_OS_WIN
namespace {

// The code units that keep the bytes 0x80..0xFF of a file name.
constexpr char16_t kFirstKeptByte = 0xDC80;
constexpr char16_t kLastKeptByte = 0xDCFF;

// Appends one entry as UTF-8 and reports false for a character that would not
// read back as itself: CR, LF, NUL, or half of a surrogate pair that is not a
// byte kept from a file name (system/FileNames.h), which is written as that
// byte. One pass, no intermediate text: a save of a long list is mostly this
// loop. keptBytes is set for an entry with such a byte.
bool appendUtf8Entry(const QString& entry, char*& out, bool& keptBytes)
{
    const auto* s = reinterpret_cast<const char16_t*>(entry.constData());
    const qsizetype n = entry.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            if (c == u'\r' || c == u'\n' || c == 0)
                return false;
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c)) {
            if (i + 1 == n || !QChar::isLowSurrogate(s[i + 1]))
                return false;
            const char32_t u = QChar::surrogateToUcs4(c, s[++i]);
            *out++ = char(0xF0 | (u >> 18));
            *out++ = char(0x80 | ((u >> 12) & 0x3F));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (c >= kFirstKeptByte && c <= kLastKeptByte) {
            *out++ = char(c - 0xDC00);
            keptBytes = true;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        } else {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        }
    }
    *out++ = '\r';
    *out++ = '\n';
    return true;
}

} // namespace
#endif

std::optional<QByteArray> encodeListFile(const QStringList& entries)
{
    // A first entry that starts with U+FEFF would be written as a UTF-8
    // byte-order mark and read back without it.
    if (!entries.isEmpty() && entries.front().startsWith(kByteOrderMark))
        return std::nullopt;
#ifdef Q_OS_WIN
    QString text;
    qsizetype length = 0;
    for (const QString& entry : entries)
        length += entry.size() + kLineEnd.size();
    text.reserve(length);
    for (const QString& entry : entries) {
        if (entry.isEmpty())
            break;
        if (!storable(entry))
            return std::nullopt;
        text += entry;
        text += kLineEnd;
    }
    return encodeLocale(text);
#else
    // Qt takes the locale encoding to be UTF-8 on every system but Windows.
    // At most three bytes for each UTF-16 unit, two for each line end.
    qsizetype capacity = 0;
    for (const QString& entry : entries)
        capacity += entry.size() * 3 + 2;
    QByteArray bytes(capacity, Qt::Uninitialized);
    char* out = bytes.data();
    bool keptBytes = false;
    for (const QString& entry : entries) {
        if (entry.isEmpty())
            break;
        char* const start = out;
        bool kept = false;
        if (!appendUtf8Entry(entry, out, kept))
            return std::nullopt;
        // Kept bytes that would be read as another name (two of them that
        // make a UTF-8 character) cannot be stored.
        if (kept && sys::nameFromBytes(QByteArrayView(start, out - start - 2)) != entry)
            return std::nullopt;
        keptBytes = keptBytes || kept;
    }
    bytes.truncate(out - bytes.constData());
    // A reader takes bytes that are valid Shift-JIS for a list from Japanese
    // Windows; a byte-order mark tells it that these are names' own bytes.
    if (keptBytes && text::decodeCp932(bytes))
        bytes.prepend(kUtf8ByteOrderMark);
    return bytes;
#endif
}

#include "playlist/ListFile.h"

#include "text/TextDecoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

namespace {

constexpr QChar kByteOrderMark(0xFEFF);
const QByteArray kUtf8ByteOrderMark = text::kUtf8ByteOrderMark.toByteArray();
const QString kLineEnd = QStringLiteral("\r\n");

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

// The text of the bytes: UTF-8 after a byte-order mark, else the locale
// encoding when every byte is valid in it, else Shift-JIS.
std::optional<QString> decodeText(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8ByteOrderMark))
        return text::decodeUtf8(bytes.sliced(kUtf8ByteOrderMark.size()));
    if (auto decoded = text::decodeLocale(bytes))
        return decoded;
    return text::decodeCp932(bytes);
}

// The non-empty lines of text; CR LF, LF and a lone CR each end a line, and
// the last line needs no end.
QStringList nonEmptyLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        if (i > start)
            lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < length && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < length)
        lines.append(text.sliced(start).toString());
    return lines;
}

#ifdef Q_OS_WIN
bool storable(const QString& entry)
{
    return !entry.contains(u'\r') && !entry.contains(u'\n') && !entry.contains(QChar(0));
}
#endif

} // namespace

std::optional<QStringList> decodeListFile(const QByteArray& bytes)
{
    // A path never holds a NUL: such bytes are no list file in any encoding.
    if (bytes.contains('\0'))
        return std::nullopt;
    const std::optional<QString> text = decodeText(bytes);
    if (!text)
        return std::nullopt;
    return nonEmptyLines(*text);
}

#ifndef Q_OS_WIN
namespace {

// Appends one entry as UTF-8 and reports false for a character that would not
// read back as itself: CR, LF, NUL, or half of a surrogate pair. One pass,
// no intermediate text: a save of a long list is mostly this loop.
bool appendUtf8Entry(const QString& entry, char*& out)
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
    for (const QString& entry : entries) {
        if (entry.isEmpty())
            break;
        if (!appendUtf8Entry(entry, out))
            return std::nullopt;
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
#endif
}

std::optional<QByteArray> readListFileBytes(const QString& path, qint64 maxSize)
{
    if (path.isEmpty())
        return std::nullopt;
    // Only a regular file is opened at all: opening a pipe would wait for a
    // writer, and a device may never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxSize)
        return std::nullopt;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    // Read to the end rather than trusting the size: the file may have
    // changed since, and some files report no size at all.
    QByteArray bytes;
    bytes.reserve(info.size());
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        if (bytes.size() + got > maxSize)
            return std::nullopt;
        bytes.append(chunk.constData(), got);
    }
    return bytes;
}

std::optional<QStringList> readListFile(const QString& path)
{
    const std::optional<QByteArray> bytes = readListFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return decodeListFile(*bytes);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, const ListFileWrite& write)
{
    if (path.isEmpty())
        return false;
    // Replacing a folder, a device or a pipe by a file is never wanted.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return false;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool written = write ? write(file, bytes) : file.write(bytes) == bytes.size();
    if (!written)
        return false;  // the temporary file goes with `file`; the target is untouched
    return file.commit();
}

bool writeListFile(const QString& path, const QStringList& entries, const ListFileWrite& write)
{
    const std::optional<QByteArray> bytes = encodeListFile(entries);
    return bytes && writeFileAtomically(path, *bytes, write);
}

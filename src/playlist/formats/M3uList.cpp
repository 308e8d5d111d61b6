// M3U and M3U8 lists: one entry a line, "#" lines are directives or notes.
#include "playlist/formats/ListCodecs.h"
#include "playlist/formats/ListLines.h"
#include "playlist/formats/SorvanList.h"
#include "system/FileNames.h"
#include "text/TextDecoding.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const QLatin1StringView kExtInf("#EXTINF:");
const QLatin1StringView kExtEnc("#EXTENC:");

bool isBlank(QChar c)
{
    return c.isSpace();
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QString textOf(QStringView text)
{
    return text.toString();
}

QString textOf(QByteArrayView utf8)
{
    return QString::fromUtf8(utf8);
}

// The seconds of "#EXTINF:" ("123", "12.5", "-1"): -1 when unknown.
template <typename View>
int secondsOfExtInf(View text)
{
    bool ok = false;
    if (const int whole = text.toInt(&ok); ok)
        return whole >= 0 ? whole : -1;
    const double seconds = text.toDouble(&ok);
    if (!ok || !(seconds >= 0) || seconds > std::numeric_limits<int>::max())
        return -1;
    return int(std::floor(seconds));
}

// What "#EXTINF:seconds[ attributes],title" says of the next entry. The
// title starts after the first comma outside quoted attribute values.
template <typename View>
ListItem itemOfExtInf(View line)
{
    const View rest = line.sliced(kExtInf.size());
    qsizetype lengthEnd = 0;
    while (lengthEnd < rest.size() && rest[lengthEnd] != u',' && !isBlank(rest[lengthEnd]))
        ++lengthEnd;
    ListItem item;
    item.seconds = secondsOfExtInf(rest.first(lengthEnd));
    bool quoted = false;
    for (qsizetype i = lengthEnd; i < rest.size(); ++i) {
        if (rest[i] == u'"')
            quoted = !quoted;
        else if (rest[i] == u',' && !quoted) {
            item.title = textOf(rest.sliced(i + 1).trimmed());
            break;
        }
    }
    return item;
}

// The entries of an M3U list, line by line.
class M3uLines {
public:
    // A directive or a note.
    template <typename View>
    void takeNote(View line)
    {
        if (StartsWithWord(line, kExtInf))
            m_next = itemOfExtInf(line);
    }
    // An entry; false past the entry limit.
    bool takeEntry(QString location)
    {
        if (m_items.size() >= kMaxListEntries)
            return false;
        m_next.location = std::move(location);
        m_items.append(std::move(m_next));
        m_next = ListItem();
        return true;
    }
    ListItems take() { return std::move(m_items); }

private:
    ListItems m_items;
    ListItem m_next;
};

std::optional<ListItems> readM3uText(QStringView text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text = text.sliced(1);
    M3uLines lines;
    const bool read = ForEachListLine(text, [&](QStringView line) {
        if (line.contains(QChar(0)))
            return false;
        if (line.startsWith(u'#')) {
            lines.takeNote(line);
            return true;
        }
        return lines.takeEntry(line.toString());
    });
    return read ? std::optional(lines.take()) : std::nullopt;
}

// The encoding that "#EXTENC:" names before the first entry, or nothing.
QByteArray declaredEncoding(QByteArrayView bytes)
{
    QByteArray name;
    if (bytes.startsWith(text::kUtf8ByteOrderMark))
        bytes = bytes.sliced(text::kUtf8ByteOrderMark.size());
    ForEachListLine(bytes, [&](QByteArrayView line) {
        if (!line.startsWith('#'))
            return false;
        if (StartsWithWord(line, kExtEnc)) {
            name = line.sliced(kExtEnc.size()).trimmed().toByteArray();
            return false;
        }
        return true;
    });
    return name;
}

} // namespace

std::optional<ListItems> ReadM3u(QByteArrayView bytes)
{
    if (!KeepsListLineLimits(bytes))
        return std::nullopt;
    return readM3uText(ListText(bytes, declaredEncoding(bytes)));
}

std::optional<ListItems> ReadM3u8(QByteArrayView bytes)
{
    if (std::memchr(bytes.data(), 0, size_t(bytes.size())))
        return std::nullopt;
    if (bytes.startsWith(text::kUtf8ByteOrderMark))
        bytes = bytes.sliced(text::kUtf8ByteOrderMark.size());
    // Most lists are valid UTF-8 as a whole, checked once; in the others
    // each entry keeps the bytes of its name.
    const bool utf8 = bytes.isValidUtf8();
    M3uLines lines;
    // One walk over the lines, checking their length on the way: a list of
    // 100,000 entries opens about as fast as the program's own.
    const bool read = ForEachRawListLine(bytes, [&](QByteArrayView line) {
        if (line.size() > kMaxListLineBytes)
            return false;
        line = line.trimmed();
        if (line.isEmpty())
            return true;
        if (line.startsWith('#')) {
            lines.takeNote(line);
            return true;
        }
        return lines.takeEntry(utf8 ? QString::fromUtf8(line) : sys::nameFromBytes(line));
    });
    return read ? std::optional(lines.take()) : std::nullopt;
}

std::optional<QByteArray> WriteM3u(const ListItems& items, const QString& listFolder)
{
    const std::optional<QList<ListLine>> lines = LinesOfItems(items, listFolder);
    if (!lines)
        return std::nullopt;
    QByteArray bytes("#EXTM3U\n");
    for (const ListLine& line : *lines)
        bytes += kExtInf.latin1() + QByteArray::number(line.seconds) + ',' + line.title + '\n' + line.location + '\n';
    return bytes;
}

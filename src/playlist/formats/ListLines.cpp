#include "playlist/formats/ListLines.h"

#include "playlist/formats/ListFormats.h"
#include "playlist/formats/ListLocations.h"
#include "playlist/formats/SorvanList.h"
#include "system/FileNames.h"
#include "text/TextDecoding.h"

#include <QStringDecoder>

#include <cstring>

namespace {
char16_t unitOf(QChar c)
{
    return c.unicode();
}

char16_t unitOf(char c)
{
    return char16_t(uchar(c));
}

template <typename View>
bool startsWithWordIn(View text, QLatin1StringView prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        const char16_t c = unitOf(text[i]);
        const char16_t lower = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        const char16_t p = unitOf(prefix.data()[i]);
        const char16_t wanted = (p >= u'A' && p <= u'Z') ? char16_t(p + 32) : p;
        if (lower != wanted)
            return false;
    }
    return true;
}
} // namespace

bool KeepsListLineLimits(QByteArrayView bytes)
{
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16 && std::memchr(bytes.data(), 0, size_t(bytes.size())))
        return false;
    return ForEachRawListLine(bytes, [](QByteArrayView line) { return line.size() <= kMaxListLineBytes; });
}

qsizetype NextInListText(QByteArrayView text, char16_t c, qsizetype from)
{
    if (from >= text.size())
        return text.size();
    const void* found = std::memchr(text.data() + from, char(c), size_t(text.size() - from));
    return found ? static_cast<const char*>(found) - text.data() : text.size();
}

qsizetype NextInListText(QStringView text, char16_t c, qsizetype from)
{
    const qsizetype found = text.indexOf(QChar(c), from);
    return found < 0 ? text.size() : found;
}

bool StartsWithWord(QStringView text, QLatin1StringView prefix)
{
    return startsWithWordIn(text, prefix);
}

bool StartsWithWord(QByteArrayView text, QLatin1StringView prefix)
{
    return startsWithWordIn(text, prefix);
}

QString ListText(QByteArrayView bytes, const QByteArray& encoding)
{
    QString text;
    if (QStringDecoder declared(encoding.constData(), QStringDecoder::Flag::Stateless);
        !encoding.isEmpty() && declared.isValid())
        text = declared.decode(bytes);
    else
        text = text::decodeByteString(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        else if (QChar::isSurrogate(c))
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

namespace {
std::optional<ListLine> lineOfItem(const ListItem& item, const QString& listFolder)
{
    // Room for the key before a location ("File12=") and a title's line.
    constexpr qsizetype kKeyRoom = 32;
    constexpr qsizetype kMaxTitle = 1024;
    const QString location = LocationTextFor(item.location, listFolder);
    ListLine line{sys::bytesOfName(location), {}, item.seconds < 0 ? -1 : item.seconds};
    if (location.contains(u'\r') || location.contains(u'\n') || location.contains(QChar(0))
        || line.location.size() > kMaxListLineBytes - kKeyRoom)
        return std::nullopt;
    QString title = item.title.isEmpty() ? NameInLocation(item.location).toString() : item.title;
    if (sys::holdsRawBytes(title))
        title.clear();  // it would not read back as itself
    title.truncate(kMaxTitle);
    if (!title.isEmpty() && title.back().isHighSurrogate())
        title.chop(1);
    for (QChar& c : title)
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            c = u' ';
    line.title = title.toUtf8();
    return line;
}
} // namespace

std::optional<QList<ListLine>> LinesOfItems(const QList<ListItem>& items, const QString& listFolder)
{
    QList<ListLine> lines;
    lines.reserve(items.size());
    for (const ListItem& item : items) {
        if (item.location.isEmpty())
            continue;
        std::optional<ListLine> line = lineOfItem(item, listFolder);
        if (!line)
            return std::nullopt;
        lines.append(std::move(*line));
    }
    return lines;
}

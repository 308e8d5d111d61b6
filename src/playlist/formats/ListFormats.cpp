#include "playlist/formats/ListFormats.h"

#include "playlist/formats/ListCodecs.h"
#include "playlist/formats/ListLines.h"
#include "playlist/formats/SorvanList.h"
#include "text/TextDecoding.h"

#include <QXmlStreamReader>

namespace {

// The program's own list: its codec, with each line an entry and nothing more.
std::optional<ListItems> readSorvanList(QByteArrayView bytes)
{
    const std::optional<QStringList> lines = decodeListFile(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (!lines)
        return std::nullopt;
    ListItems items;
    items.reserve(lines->size());
    for (const QString& line : *lines)
        items.append(ListItem{line, {}, -1});
    return items;
}

std::optional<QByteArray> writeSorvanList(const ListItems& items, const QString&)
{
    QStringList entries;
    entries.reserve(items.size());
    for (const ListItem& item : items)
        entries << item.location;
    return encodeListFile(entries);
}

QStringList words(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* word : list)
        result << QString::fromLatin1(word);
    return result;
}

// The first line of a file's start, in its own encoding when it is marked
// as UTF-16, else as bytes (the first lines of M3U and PLS are ASCII).
QString firstLine(QByteArrayView head)
{
    QString text;
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        text = text::decodeByteString(head.first(head.size() & ~qsizetype(1)));
    else
        text = QString::fromLatin1(head.startsWith(text::kUtf8ByteOrderMark) ? head.sliced(3) : head);
    QString line;
    ForEachListLine(QStringView(text), [&](QStringView first) {
        line = first.toString();
        return false;
    });
    return line;
}

bool isXspfRoot(QByteArrayView head)
{
    QXmlStreamReader xml(QByteArray::fromRawData(head.data(), head.size()));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name() == u"playlist" && xml.namespaceUri() == u"http://xspf.org/ns/0/";
    }
    return false;
}

} // namespace

const QList<ListFormat>& ListFormats()
{
    static const QList<ListFormat> formats{
        {ListFormat::Id::Sorvan, QStringLiteral("Sorvan list"), words({"lst"}), words({"application/x-sorvan-list"}),
         readSorvanList, writeSorvanList},
        {ListFormat::Id::M3u, QStringLiteral("M3U"), words({"m3u"}), words({"audio/x-mpegurl", "audio/mpegurl"}),
         ReadM3u, WriteM3u},
        {ListFormat::Id::M3u8, QStringLiteral("M3U8"), words({"m3u8"}), words({"application/vnd.apple.mpegurl"}),
         ReadM3u8, WriteM3u},
        {ListFormat::Id::Pls, QStringLiteral("PLS"), words({"pls"}), words({"audio/x-scpls"}), ReadPls, WritePls},
        {ListFormat::Id::Xspf, QStringLiteral("XSPF"), words({"xspf"}), words({"application/xspf+xml"}), ReadXspf,
         WriteXspf},
    };
    return formats;
}

const ListFormat& ListFormatOf(ListFormat::Id id)
{
    for (const ListFormat& format : ListFormats())
        if (format.id == id)
            return format;
    return ListFormats().front();
}

const ListFormat* ListFormatOfName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return nullptr;
    const QString suffix = name.mid(dot + 1).toLower();
    for (const ListFormat& format : ListFormats())
        if (format.suffixes.contains(suffix))
            return &format;
    return nullptr;
}

bool IsListFileName(const QString& name)
{
    return ListFormatOfName(name) != nullptr;
}

const ListFormat* ListFormatOfContent(QByteArrayView head)
{
    const QString line = firstLine(head.first(std::min(head.size(), kListHeadBytes)));
    if (StartsWithWord(QStringView(line), QLatin1StringView("#EXTM3U")))
        return &ListFormatOf(ListFormat::Id::M3u);
    if (line.compare(QLatin1String("[playlist]"), Qt::CaseInsensitive) == 0)
        return &ListFormatOf(ListFormat::Id::Pls);
    // A list of paths never starts with "<": only then is the start read as XML.
    if (line.startsWith(u'<') && isXspfRoot(head.first(std::min(head.size(), kListHeadBytes))))
        return &ListFormatOf(ListFormat::Id::Xspf);
    return nullptr;
}

const ListFormat& ListFormatToRead(const QString& name, QByteArrayView head)
{
    const ListFormat* named = ListFormatOfName(name);
    if (named && named->id != ListFormat::Id::Sorvan)
        return *named;
    const ListFormat* shown = ListFormatOfContent(head);
    return shown ? *shown : ListFormatOf(ListFormat::Id::Sorvan);
}

const ListFormat& ListFormatToWrite(const QString& name)
{
    const ListFormat* named = ListFormatOfName(name);
    return named ? *named : ListFormatOf(ListFormat::Id::Sorvan);
}

QStringList ListMimeTypes()
{
    QStringList types;
    for (const ListFormat& format : ListFormats())
        types << format.mimeTypes;
    return types;
}

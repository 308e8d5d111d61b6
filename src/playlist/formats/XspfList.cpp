// XSPF lists: XML read with Qt's stream reader, which never fetches anything;
// a document type (and with it any entity of one) is refused, and so is a
// document nested deeper than any play list needs.
#include "playlist/formats/ListCodecs.h"
#include "playlist/formats/ListLocations.h"
#include "playlist/formats/SorvanList.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <limits>

namespace {

const QString kXspfNamespace = QStringLiteral("http://xspf.org/ns/0/");
constexpr int kMaxXmlDepth = 64;

// A track's first location that is a file (a relative reference or a
// file:// address); its first location of all when none is.
class XspfTrack {
public:
    void takeLocation(const QString& location)
    {
        if (location.isEmpty())
            return;
        const bool local = LocationOfUri(location, QString()).kind != ListLocation::Kind::Address;
        if (m_item.location.isEmpty() || (local && !m_local)) {
            m_item.location = location;
            m_local = local;
        }
    }
    void takeTitle(const QString& title)
    {
        if (m_item.title.isEmpty())
            m_item.title = title;
    }
    void takeDuration(const QString& milliseconds)
    {
        bool ok = false;
        const qint64 ms = milliseconds.toLongLong(&ok);
        if (ok && ms >= 0 && ms / 1000 <= std::numeric_limits<int>::max())
            m_item.seconds = int(ms / 1000);
    }
    bool hasLocation() const { return !m_item.location.isEmpty(); }
    ListItem take() { return std::move(m_item); }

private:
    ListItem m_item;
    bool m_local = false;
};

// A title on one line: line breaks, characters that XML 1.0 cannot hold and
// halves of surrogate pairs become blanks (a title that came from a tag or
// another list must not make the whole file unreadable).
QString xmlText(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        if ((c < 0x20 && c != u'\t') || QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF)
            text[i] = u' ';
    }
    return text;
}

} // namespace

std::optional<ListItems> ReadXspf(QByteArrayView bytes)
{
    if (bytes.size() > kMaxListFileSize)
        return std::nullopt;
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), bytes.size()));
    ListItems items;
    XspfTrack track;
    int depth = 0;
    bool inTrackList = false;
    bool inTrack = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return std::nullopt;
        case QXmlStreamReader::StartElement: {
            if (++depth > kMaxXmlDepth)
                return std::nullopt;
            const bool ours = xml.namespaceUri() == kXspfNamespace;
            const QStringView name = xml.name();
            if (depth == 1 && (!ours || name != u"playlist"))
                return std::nullopt;
            if (depth == 2 && ours && name == u"trackList") {
                inTrackList = true;
            } else if (depth == 3 && inTrackList && ours && name == u"track") {
                inTrack = true;
            } else if (depth == 4 && inTrack && ours
                       && (name == u"location" || name == u"title" || name == u"duration")) {
                const QString text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).trimmed();
                --depth;  // the element's end has been read with its text
                if (name == u"location")
                    track.takeLocation(text);
                else if (name == u"title")
                    track.takeTitle(text);
                else
                    track.takeDuration(text);
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (depth == 3 && inTrack) {
                inTrack = false;
                if (track.hasLocation()) {
                    if (items.size() >= kMaxListEntries)
                        return std::nullopt;
                    items.append(track.take());
                }
                track = XspfTrack();
            } else if (depth == 2) {
                inTrackList = false;
            }
            --depth;
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return items;
}

std::optional<QByteArray> WriteXspf(const ListItems& items, const QString& listFolder)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kXspfNamespace);
    xml.writeStartElement(kXspfNamespace, QStringLiteral("playlist"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    xml.writeStartElement(kXspfNamespace, QStringLiteral("trackList"));
    for (const ListItem& item : items) {
        if (item.location.isEmpty())
            continue;
        xml.writeStartElement(kXspfNamespace, QStringLiteral("track"));
        xml.writeTextElement(kXspfNamespace, QStringLiteral("location"), LocationUriFor(item.location, listFolder));
        if (!item.title.isEmpty())
            xml.writeTextElement(kXspfNamespace, QStringLiteral("title"), xmlText(item.title));
        if (item.seconds >= 0)
            xml.writeTextElement(kXspfNamespace, QStringLiteral("duration"),
                                 QString::number(qint64(item.seconds) * 1000));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError())
        return std::nullopt;
    return bytes;
}

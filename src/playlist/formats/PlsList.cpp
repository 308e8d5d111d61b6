// PLS lists (version 2): an INI-like "[playlist]" section of numbered keys.
#include "playlist/formats/ListCodecs.h"
#include "playlist/formats/ListLines.h"
#include "playlist/formats/SorvanList.h"

#include <map>

namespace {

const QLatin1StringView kFileKey("File");
const QLatin1StringView kTitleKey("Title");
const QLatin1StringView kLengthKey("Length");

// The number after a key's word ("File12" -> 12), or 0 when there is none.
quint64 numberAfter(QStringView key, QLatin1StringView word)
{
    if (key.size() == word.size() || !StartsWithWord(key, word))
        return 0;
    bool ok = false;
    const quint64 number = key.sliced(word.size()).toULongLong(&ok);
    return ok ? number : 0;
}

struct PlsEntry {
    ListItem item;
    bool hasFile = false;
};

// The entries by their number; false for a line outside the limits.
class PlsKeys {
public:
    bool take(QStringView line)
    {
        if (line.startsWith(u'[')) {
            m_inPlaylist = line.compare(u"[playlist]", Qt::CaseInsensitive) == 0;
            m_seen = m_seen || m_inPlaylist;
            return true;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!m_inPlaylist || equals < 0)
            return true;
        const QStringView key = line.first(equals).trimmed();
        const QStringView value = line.sliced(equals + 1).trimmed();
        if (const quint64 n = numberAfter(key, kFileKey)) {
            PlsEntry& entry = m_entries[n];
            entry.item.location = value.toString();
            entry.hasFile = !value.isEmpty();
        } else if (const quint64 n = numberAfter(key, kTitleKey)) {
            m_entries[n].item.title = value.toString();
        } else if (const quint64 n = numberAfter(key, kLengthKey)) {
            bool ok = false;
            const int seconds = value.toInt(&ok);
            m_entries[n].item.seconds = ok && seconds >= 0 ? seconds : -1;
        }
        return qsizetype(m_entries.size()) <= kMaxListEntries;
    }

    std::optional<ListItems> items() const
    {
        if (!m_seen)
            return std::nullopt;
        ListItems items;
        for (const auto& [number, entry] : m_entries)
            if (entry.hasFile)
                items.append(entry.item);
        return items;
    }

private:
    std::map<quint64, PlsEntry> m_entries;
    bool m_inPlaylist = false;
    bool m_seen = false;
};

} // namespace

std::optional<ListItems> ReadPls(QByteArrayView bytes)
{
    if (!KeepsListLineLimits(bytes))
        return std::nullopt;
    const QString text = ListText(bytes);
    if (text.contains(QChar(0)))
        return std::nullopt;
    PlsKeys keys;
    if (!ForEachListLine(QStringView(text), [&](QStringView line) { return keys.take(line); }))
        return std::nullopt;
    return keys.items();
}

std::optional<QByteArray> WritePls(const ListItems& items, const QString& listFolder)
{
    const std::optional<QList<ListLine>> lines = LinesOfItems(items, listFolder);
    if (!lines)
        return std::nullopt;
    QByteArray bytes("[playlist]\n");
    int number = 0;
    for (const ListLine& line : *lines) {
        const QByteArray n = QByteArray::number(++number);
        bytes += "File" + n + '=' + line.location + '\n';
        bytes += "Title" + n + '=' + line.title + '\n';
        bytes += "Length" + n + '=' + QByteArray::number(line.seconds) + '\n';
    }
    bytes += "NumberOfEntries=" + QByteArray::number(number) + "\nVersion=2\n";
    return bytes;
}

#include "playlist/WindowsPathSearch.h"

#include "system/FileNames.h"
#include "text/TextDecoding.h"

namespace {

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// The keys a name on the disk is found by: its text without letter case,
// and for a name that is not UTF-8, its bytes read as Shift-JIS.
QStringList keysOf(const QString& name)
{
    QStringList keys{name.toCaseFolded()};
    if (sys::holdsRawBytes(name))
        if (const std::optional<QString> cp932 = text::decodeCp932(sys::bytesOfName(name)))
            keys << cp932->toCaseFolded();
    return keys;
}

// The entry of entries named name: the same name first, else the first that
// is the same without regard to case.
const sys::FolderEntry* entryNamed(const QList<sys::FolderEntry>& entries, const QString& name, bool folder)
{
    const QString key = name.toCaseFolded();
    const sys::FolderEntry* found = nullptr;
    for (const sys::FolderEntry& entry : entries) {
        if (entry.folder != folder)
            continue;
        if (entry.name == name)
            return &entry;
        if (!found && keysOf(entry.name).contains(key))
            found = &entry;
    }
    return found;
}

} // namespace

WindowsPathSearch::WindowsPathSearch(QString listFolder, int budget)
    : m_folder(std::move(listFolder)), m_budget(budget), m_left(budget), m_toWalk{m_folder}
{
}

std::optional<QString> WindowsPathSearch::find(const QStringList& parts)
{
    QStringList names;
    for (const QString& part : parts)
        if (part != QLatin1String(".."))
            names << part;
    if (names.isEmpty())
        return std::nullopt;
    for (qsizetype first = 0; first + 1 < names.size(); ++first)
        if (std::optional<QString> found = findTail(names, first))
            return found;
    return findByName(names.last());
}

const QList<sys::FolderEntry>& WindowsPathSearch::entriesOf(const QString& folder)
{
    const auto known = m_folders.constFind(folder);
    if (known != m_folders.constEnd())
        return *known;
    QList<sys::FolderEntry> entries = sys::folderEntries(folder, m_left);
    m_left -= int(entries.size());
    return *m_folders.insert(folder, std::move(entries));
}

std::optional<QString> WindowsPathSearch::findTail(const QStringList& parts, qsizetype first)
{
    QString path = m_folder;
    for (qsizetype i = first; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const sys::FolderEntry* entry = entryNamed(entriesOf(path), parts[i], !last);
        if (!entry)
            return std::nullopt;
        path = joined(path, entry->name);
    }
    return path;
}

std::optional<QString> WindowsPathSearch::findByName(const QString& name)
{
    const QString key = name.toCaseFolded();
    for (;;) {
        if (const auto known = m_byName.constFind(key); known != m_byName.constEnd())
            return *known;
        if (m_walked == m_toWalk.size() || m_left <= 0)
            return std::nullopt;
        const QString folder = m_toWalk[m_walked++];
        for (const sys::FolderEntry& entry : entriesOf(folder)) {
            const QString path = joined(folder, entry.name);
            if (entry.folder) {
                if (!entry.link)  // a link may lead back up: the tree is walked without them
                    m_toWalk << path;
                continue;
            }
            for (const QString& entryKey : keysOf(entry.name))
                if (!m_byName.contains(entryKey))  // the nearest stays
                    m_byName.insert(entryKey, path);
        }
    }
}

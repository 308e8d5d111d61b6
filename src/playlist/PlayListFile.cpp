#include "playlist/PlayListFile.h"

#include "playlist/ListFile.h"
#include "playlist/WindowsPathSearch.h"
#include "playlist/formats/ListLocations.h"
#include "system/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

// At most maxSize bytes from the start of a regular file; with whole, the
// whole file or nothing when it is larger.
std::optional<QByteArray> readStart(const QString& path, qint64 maxSize, bool whole)
{
    sys::RegularFile file(path);
    if (!file.isOpen() || (whole && file.size() > maxSize))
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(qMin(file.size(), maxSize));
    QByteArray chunk(qMin<qint64>(256 * 1024, maxSize + 1), Qt::Uninitialized);
    // The file is read to its end, not to its size: it may have grown.
    while (bytes.size() <= maxSize) {
        const qint64 got = file.read(chunk.data(), qMin<qint64>(chunk.size(), maxSize + 1 - bytes.size()));
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        bytes.append(chunk.constData(), got);
    }
    if (bytes.size() > maxSize) {
        if (whole)
            return std::nullopt;
        bytes.truncate(maxSize);
    }
    return bytes;
}

// True for a title that is the file's name in path.
bool isNameIn(const QString& title, const QString& path)
{
    return !title.isEmpty() && path.endsWith(title) && NameInLocation(path).size() == title.size();
}

// The path of a Windows path's file here, or nothing.
std::optional<QString> foundHere(const ListLocation& location, const QString& written, const QString& folder,
                                 WindowsPathSearch& search)
{
#ifdef Q_OS_WIN
    if (QFileInfo::exists(written))
        return QDir::cleanPath(QDir::fromNativeSeparators(written));
#else
    Q_UNUSED(written);
#endif
    if (!location.rooted) {
        const QString relative = QDir::cleanPath(folder + u'/' + location.parts.join(u'/'));
        if (QFileInfo::exists(relative))
            return relative;
    }
    return search.find(location.parts);
}

PlayListFile resolved(ListFormat::Id format, const ListItems& items, const QString& folder)
{
    PlayListFile list;
    list.format = format;
    list.paths.reserve(items.size());
    WindowsPathSearch search(folder);
    for (const ListItem& item : items) {
        const ListLocation location = format == ListFormat::Id::Xspf ? LocationOfUri(item.location, folder)
                                                                     : LocationOfText(item.location, folder);
        QString path;
        switch (location.kind) {
        case ListLocation::Kind::Address:
            list.skipped << item.location;
            continue;
        case ListLocation::Kind::Path:
            path = location.path;
            break;
        case ListLocation::Kind::Windows:
            path = foundHere(location, item.location, folder, search).value_or(location.path);
            break;
        }
        if (path.isEmpty())
            continue;
        // A title that is only the file's name (as written for an entry
        // without one) costs nothing: the name is shown anyway.
        const QString title = isNameIn(item.title, location.path) ? QString() : item.title;
        if (!title.isEmpty() || item.seconds >= 0)
            list.details.append(RowDetail{int(list.paths.size()), title, item.seconds});
        list.paths.append(path);
    }
    return list;
}

} // namespace

std::optional<PlayListFile> readPlayListFile(const QString& path)
{
    const QFileInfo file(path);
    const ListFormat* named = ListFormatOfName(file.fileName());
    QByteArray head;
    if (!named || named->id == ListFormat::Id::Sorvan) {
        std::optional<QByteArray> start = readStart(path, kListHeadBytes, false);
        if (!start)
            return std::nullopt;
        head = std::move(*start);
    }
    const ListFormat& format = ListFormatToRead(file.fileName(), head);
    if (format.id == ListFormat::Id::Sorvan) {
        std::optional<QStringList> paths = readListFile(path);
        if (!paths)
            return std::nullopt;
        PlayListFile list;
        list.paths = std::move(*paths);
        return list;
    }
    const std::optional<QByteArray> bytes = readStart(path, kMaxListFileSize, true);
    if (!bytes)
        return std::nullopt;
    const std::optional<ListItems> items = format.read(*bytes);
    if (!items)
        return std::nullopt;
    return resolved(format.id, *items, file.absolutePath());
}

bool writePlayListFile(const QString& path, const ListFormat& format, ListItems items)
{
    const QString current = QDir::currentPath();
    for (ListItem& item : items) {
        if (IsAbsolutePath(item.location))
            continue;
        const ListLocation location = LocationOfText(item.location, current);
        if (location.kind == ListLocation::Kind::Path)
            item.location = location.path;
    }
    const std::optional<QByteArray> bytes = format.write(items, QFileInfo(path).absolutePath());
    return bytes && writeFileAtomically(path, *bytes);
}

void reportSkipped(const QString& path, const QStringList& skipped)
{
    for (const QString& address : skipped)
        std::fprintf(stderr, "sorvan: %s: not a local file name, left out: %s\n", path.toLocal8Bit().constData(),
                     address.toLocal8Bit().constData());
    std::fflush(stderr);
}

// What every reader of another program's list promises, checked on any
// bytes: besides crashes and undefined behaviour, no more entries than the
// limit, and the entries that name local files, written again in the same
// format and read back, name the same files with the same lengths.
#pragma once

#include "playlist/formats/ListCodecs.h"
#include "playlist/formats/ListLocations.h"
#include "playlist/formats/SorvanList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void failList(const char* what)
{
    std::fprintf(stderr, "list reader: %s\n", what);
    std::abort();
}

const QString kFuzzListFolder = QStringLiteral("/l");

// The local paths (and their lengths) that items name, as the list handlers
// keep them.
ListItems localEntries(const ListItems& items, bool uris)
{
    ListItems local;
    for (const ListItem& item : items) {
        const ListLocation location =
            uris ? LocationOfUri(item.location, kFuzzListFolder) : LocationOfText(item.location, kFuzzListFolder);
        if (location.kind == ListLocation::Kind::Address || location.path.isEmpty())
            continue;
        if (location.kind == ListLocation::Kind::Path && !location.path.startsWith(u'/'))
            failList("a path that is not absolute");
        if (location.path.contains(u'\r') || location.path.contains(u'\n') || location.path.contains(QChar(0)))
            continue;  // left out by the handlers
        if (location.path.size() > kMaxListLineBytes / 12)
            continue;  // may not fit on a line once percent-encoded: the writer refuses it
        const QString& path = location.path;
        if (path.size() >= 3 && path[0] == u'/' && path[1].isLetter() && path[2] == u':'
            && (path.size() == 3 || path[3] == u'/'))
            continue;  // "file:///c:/…" names a drive: a folder "/c:" has no address of its own
        local.append({location.path, {}, item.seconds});
    }
    return local;
}

int fuzzListReader(std::optional<ListItems> (*read)(QByteArrayView),
                   std::optional<QByteArray> (*write)(const ListItems&, const QString&), bool uris,
                   const std::uint8_t* data, std::size_t size)
{
    const std::optional<ListItems> items = read(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!items)
        return 0;
    if (items->size() > kMaxListEntries)
        failList("more entries than the limit");
    const ListItems local = localEntries(*items, uris);
    const std::optional<QByteArray> written = write(local, kFuzzListFolder);
    if (!written)
        failList("entries that were read cannot be written");
    const std::optional<ListItems> again = read(*written);
    if (!again)
        failList("a list that was written cannot be read");
    if (localEntries(*again, uris) != local)
        failList("a list written and read again names other files");
    return 0;
}

} // namespace

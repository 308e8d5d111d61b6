#pragma once
// A play list file of any format in the list formats table, read into the
// play list's entries and written from them. The program's own list goes
// through its own reader and writer (ListFile.h), byte for byte as ever.
//
// The other formats' entries are made local paths: a relative entry is
// resolved against the list's own folder and stored resolved, a file://
// address is decoded, an address of anything else is left out (and named in
// skipped, as is a name with a line break), and a Windows path that does not exist here is looked for under
// the list's folder (WindowsPathSearch); one that is not found stays as
// written, to play or fail as any missing entry does.

#include "controls/forms/RowDetail.h"
#include "playlist/formats/ListFormats.h"

#include <QStringList>
#include <optional>

struct PlayListFile {
    ListFormat::Id format = ListFormat::Id::Sorvan;  // the format it was read in
    QStringList paths;
    RowDetails details;   // the titles and lengths the file gave, by entry
    QStringList skipped;  // the entries left out, as written: addresses, names with line breaks
};

// The entries of the list file at path, all of them or nothing: nothing
// for a missing or unreadable file, one that is no regular file, or one over
// a limit of its format.
std::optional<PlayListFile> readPlayListFile(const QString& path);

// Writes items (each entry's path, title and length) to path in format,
// replacing the file as one step; false when it could not be written. A
// relative path (an entry of the program's own list) is made absolute
// against the current folder, where it plays.
bool writePlayListFile(const QString& path, const ListFormat& format, ListItems items);

// Names each entry that reading the list at path left out on standard
// error, one a line.
void reportSkipped(const QString& path, const QStringList& skipped);

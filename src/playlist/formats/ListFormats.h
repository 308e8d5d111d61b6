#pragma once
// The kinds of play list file the program knows, one row each: its name, the
// suffixes and the MIME types that name it, and the reader and the writer of
// its bytes. Every door that must tell a list file from a media file (the
// list dialog, a drop, the command line, a later launch, the desktop's
// OpenUri), the list handlers and the desktop entry ask this table, so a
// list format is named in one place only.
//
// Pure rules: Qt Core, the text decoding order and the file-name codec only,
// so that the fuzzers and the doors can use them. Finding an entry on the
// disk is the list handlers' business (playlist/).

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One entry of a list file, as the file gives it.
struct ListItem {
    // Read: the location as written (a path, a Windows path or an address),
    // decoded to text. Written: the entry's path (absolute, or a Windows path
    // that was not found here).
    QString location;
    QString title;     // empty when the list names none
    int seconds = -1;  // the length, -1 when unknown

    bool operator==(const ListItem&) const = default;
};
using ListItems = QList<ListItem>;

// The entries of a list file's bytes, or nothing when the bytes are not
// such a list or break one of its limits (then no entry is taken at all).
using ListReader = std::optional<ListItems> (*)(QByteArrayView bytes);
// The bytes of a list file in listFolder that holds items; nothing when an
// entry cannot be stored in the format.
using ListWriter = std::optional<QByteArray> (*)(const ListItems& items, const QString& listFolder);

struct ListFormat {
    enum class Id { Sorvan, M3u, M3u8, Pls, Xspf };
    Id id;
    QString name;          // shown to people who read the code and the logs
    QStringList suffixes;  // without the dot, in lower case
    QStringList mimeTypes;
    ListReader read;
    ListWriter write;
};

// Every list format, the program's own first.
const QList<ListFormat>& ListFormats();
// The row of id.
const ListFormat& ListFormatOf(ListFormat::Id id);

// The format that a file name's suffix names, in any letter case; nullptr
// when the suffix names none.
const ListFormat* ListFormatOfName(const QString& name);

// True for a file name whose suffix names a list format.
bool IsListFileName(const QString& name);

// How many bytes of a file's start ListFormatOfContent wants to see.
constexpr qsizetype kListHeadBytes = 64 * 1024;

// The format that the first bytes of a file show, or nullptr:
//  - a first line of #EXTM3U is M3U;
//  - a first line of [playlist] is PLS;
//  - an XML root "playlist" in the namespace http://xspf.org/ns/0/ is XSPF.
// A byte-order mark before them is allowed. The program's own list has no
// mark of its own and is never named here. For a door that meets a file
// whose suffix says nothing.
const ListFormat* ListFormatOfContent(QByteArrayView head);

// The format a list file is read in: its suffix's, or where the suffix says
// nothing or names the program's own list, its content's, and else the
// program's own list (which reads any text).
const ListFormat& ListFormatToRead(const QString& name, QByteArrayView head);

// The format a list is written in under name: its suffix's, or the program's
// own list for any other suffix or none.
const ListFormat& ListFormatToWrite(const QString& name);

// Every MIME type of every list format, in table order.
QStringList ListMimeTypes();

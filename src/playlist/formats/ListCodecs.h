#pragma once
// The readers and writers of the list formats other than the program's own,
// one file each; the table of formats (ListFormats.h) names them. Each
// reader takes a whole file's bytes and gives all of its entries or nothing:
// a file over a limit (2,000,000 entries, a line of more than 4,096 bytes, a
// NUL, an XML document too deep or with a document type) is refused whole.

#include "playlist/formats/ListFormats.h"

// M3U: "#EXTM3U", "#EXTINF:seconds,title" before an entry, other "#" lines
// skipped. Read through the shared decoding order, or in the encoding that
// "#EXTENC:" names.
std::optional<ListItems> ReadM3u(QByteArrayView bytes);
// M3U8: the same in UTF-8, with or without a byte-order mark. A line that is
// not valid UTF-8 keeps its bytes (the name of a file on a disk that is not
// UTF-8).
std::optional<ListItems> ReadM3u8(QByteArrayView bytes);
// Both in UTF-8: "#EXTM3U", then "#EXTINF:seconds,title" (-1 and the file's
// name when unknown) and the entry, one a line.
std::optional<QByteArray> WriteM3u(const ListItems& items, const QString& listFolder);

// PLS version 2: "[playlist]", FileN, TitleN, LengthN in any order and with
// gaps, read in the order of N through the shared decoding order.
std::optional<ListItems> ReadPls(QByteArrayView bytes);
std::optional<QByteArray> WritePls(const ListItems& items, const QString& listFolder);

// XSPF: the tracks of a playlist in the namespace http://xspf.org/ns/0/, each
// with its first local location (a URI), title and duration.
std::optional<ListItems> ReadXspf(QByteArrayView bytes);
std::optional<QByteArray> WriteXspf(const ListItems& items, const QString& listFolder);

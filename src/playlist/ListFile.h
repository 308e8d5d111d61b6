#pragma once
// List files: the saved form of the play list. One entry (a full path) per
// line, CR LF after every line including the last, no header and no
// byte-order mark; an empty play list is a zero-byte file. Text is in the
// system's locale encoding (UTF-8 here, the ANSI code page on Windows).
//
// Reading is lenient about what other programs and older versions wrote:
// CR LF, LF or a lone CR ends a line, the last line may lack one, empty
// lines are skipped, a UTF-8 byte-order mark selects UTF-8, and bytes that
// are not valid in the locale encoding are read as Shift-JIS (CP932), the
// encoding of lists written on Japanese Windows systems.
//
// The codec (ListFile.cpp, declared in playlist/formats/SorvanList.h, the
// program's own row of the list formats table) uses only Qt Core, so it can
// be fuzzed on its own; reading and writing files (ListFileStore.cpp) go
// through system/.

#include "playlist/formats/SorvanList.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QIODevice;

// The whole content of a regular file of at most maxSize bytes that keeps
// within the list limits; nothing for a missing or unreadable file, a folder,
// a device, a pipe, a larger file or one over the limits. The file is opened
// once and checked and read through that handle: it never blocks on a pipe
// or reads an endless device. With scan, the scan of what was read is left there.
std::optional<QByteArray> readListFileBytes(const QString& path, qint64 maxSize = kMaxListFileSize,
                                            ListFileScan* scan = nullptr);

// readListFileBytes, then decodeListFile: all of the entries or nothing.
std::optional<QStringList> readListFile(const QString& path);

// How the bytes reach the open temporary file; true when all were written.
// The default writes them in one call. Tests put in one that fails part way
// (a full disk) or stops there (a crash).
using ListFileWrite = std::function<bool(QIODevice& file, const QByteArray& bytes)>;

// Replaces the file at path by bytes as one step: they are written to a
// temporary file in the same folder, which then takes the place of the
// target. On any failure the earlier file stays as it was, byte for byte.
// Where the folder takes no new file but the file itself may be written,
// the same bytes are written straight into it and flushed to the disk.
// A path that is a symbolic link is written at its target; the link stays.
// Refuses a target that exists but is not a regular file.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, const ListFileWrite& write = {});

// encodeListFile, then writeFileAtomically.
bool writeListFile(const QString& path, const QStringList& entries, const ListFileWrite& write = {});

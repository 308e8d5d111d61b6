#pragma once
// List files: the saved form of the play list. One entry (a full path) per
// line, CR LF after every line including the last, no header and no
// byte-order mark; an empty play list is a zero-byte file. Text is in the
// system's locale encoding (UTF-8 here, the ANSI code page on Windows). A
// name that holds bytes that are not UTF-8 (system/FileNames.h) is written
// as those bytes; where the list's bytes would then read as Shift-JIS, the
// file starts with a UTF-8 byte-order mark.
//
// Reading is lenient about what other programs and older versions wrote:
// CR LF, LF or a lone CR ends a line, the last line may lack one, empty
// lines are skipped, a UTF-8 byte-order mark selects UTF-8, and bytes that
// are not valid in the locale encoding are read as Shift-JIS (CP932), the
// encoding of lists written on Japanese Windows systems. Bytes that are
// neither (or not UTF-8 after a byte-order mark) are names' own bytes: each
// line is read as a file name made of them.
//
// The codec (ListFile.cpp, declared in playlist/formats/SorvanList.h, the
// program's own row of the list formats table) uses only Qt Core, so it can
// be fuzzed on its own; reading and writing files (ListFileStore.cpp) go
// through system/.

#include "playlist/formats/SorvanList.h"

#include "system/FileWriting.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>


// The whole content of a regular file of at most maxSize bytes that keeps
// within the list limits; nothing for a missing or unreadable file, a folder,
// a device, a pipe, a larger file or one over the limits. The file is opened
// once and checked and read through that handle: it never blocks on a pipe
// or reads an endless device. With scan, the scan of what was read is left there.
std::optional<QByteArray> readListFileBytes(const QString& path, qint64 maxSize = kMaxListFileSize,
                                            ListFileScan* scan = nullptr);

// readListFileBytes, then decodeListFile: all of the entries or nothing.
std::optional<QStringList> readListFile(const QString& path);

// How the bytes reach the open file; true when all were written. The
// default writes them in one call. Tests put in one that fails part way
// (a full disk, a write error at a chosen byte) or stops there (a crash).
using ListFileWrite = sys::FileWrite;

// Replaces the file at path by bytes as one step: they are written to a
// temporary file in the same folder, which then takes the place of the
// target. On any failure the earlier file stays as it was, byte for byte.
// Where the folder takes no new file but the file itself may be written, it
// is rewritten where it stands and its old bytes are put back on a failure
// (system/FileWriting.h: only a kill in the middle of that write can leave
// a mix). A file larger than the size limit set for the program is refused
// before anything is written. A path that is a symbolic link is written at
// its target; the link stays. Refuses a target that exists but is not a
// regular file, and a link that leads nowhere or in a loop.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, const ListFileWrite& write = {});

// encodeListFile, then writeFileAtomically.
bool writeListFile(const QString& path, const QStringList& entries, const ListFileWrite& write = {});

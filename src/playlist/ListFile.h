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
// The codec (ListFile.cpp) uses only Qt Core, so it can be fuzzed on its
// own; reading and writing files (ListFileStore.cpp) go through system/.

#include "system/FileWriting.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Files larger than this are not list files (100,000 long paths fit easily),
// nor are files with a longer line (no path is that long) or more entries.
constexpr qint64 kMaxListFileSize = 64 * 1024 * 1024;
constexpr qsizetype kMaxListLineBytes = 4096;
constexpr qsizetype kMaxListEntries = 2'000'000;

// The limits above, checked on the bytes as they arrive, so that a file
// that breaks one is refused before it is all read or decoded.
struct ListFileScan {
    qsizetype entries = 0;     // non-empty lines ended so far
    qsizetype lineLength = 0;  // bytes of the line not yet ended
    // Takes the next bytes; false once they break a limit or hold a NUL.
    bool feed(QByteArrayView bytes);
};

// The entries of a list file's bytes, in file order, or nothing when the
// bytes are not a list file (a NUL byte, a line or an entry count over the
// limits; on Windows, text valid in no encoding).
std::optional<QStringList> decodeListFile(const QByteArray& bytes);
// decodeListFile for bytes that scan has already taken whole and passed.
std::optional<QStringList> decodeScannedListFile(QByteArrayView bytes, const ListFileScan& scan);

// Decodes a list file in UTF-8 (the locale encoding on every system but
// Windows) as its bytes arrive, so that no copy of the whole file is kept.
// A file that turns out not to be UTF-8 is read again whole, by
// decodeScannedListFile, which then tries Shift-JIS and names' own bytes.
class Utf8ListDecoder {
public:
    // Refused: the bytes break a limit of a list file.
    enum class Fed { Taken, NotUtf8, Refused };
    // Room for this many entries.
    explicit Utf8ListDecoder(qsizetype entries = 0) { m_lines.reserve(entries); }
    // Takes the next bytes of the file.
    Fed feed(QByteArrayView bytes);
    // Ends the file: its last line is taken.
    Fed finish();
    // The entries, once finish() said Taken.
    QStringList takeEntries() { return std::move(m_lines); }

private:
    bool decodeLines(QByteArrayView bytes);

    ListFileScan m_scan;
    bool m_started = false;
    QByteArray m_pending;   // the start of a line that has not ended yet
    QStringList m_lines;
};

// The bytes of a list file holding entries up to (not including) the first
// empty one. Nothing when an entry cannot be stored: it holds a line break
// or a NUL, or a character that the locale encoding cannot represent, or
// kept bytes that would read back as another name.
std::optional<QByteArray> encodeListFile(const QStringList& entries);

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

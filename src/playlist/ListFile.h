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
// Only Qt Core is used here, so the reader can be fuzzed on its own.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QIODevice;

// Files larger than this are not list files (100,000 long paths fit easily).
constexpr qint64 kMaxListFileSize = 64 * 1024 * 1024;

// The entries of a list file's bytes, in file order, or nothing when the
// bytes are not a list file (a NUL byte, or text valid in no encoding).
std::optional<QStringList> decodeListFile(const QByteArray& bytes);

// The bytes of a list file holding entries up to (not including) the first
// empty one. Nothing when an entry cannot be stored: it holds a line break
// or a NUL, or a character that the locale encoding cannot represent.
std::optional<QByteArray> encodeListFile(const QStringList& entries);

// The whole content of a regular file of at most maxSize bytes; nothing for
// a missing or unreadable file, a folder, a device, a pipe or a larger file.
// Never blocks on a pipe or reads an endless device.
std::optional<QByteArray> readListFileBytes(const QString& path, qint64 maxSize = kMaxListFileSize);

// readListFileBytes, then decodeListFile: all of the entries or nothing.
std::optional<QStringList> readListFile(const QString& path);

// How the bytes reach the open temporary file; true when all were written.
// The default writes them in one call. Tests put in one that fails part way
// (a full disk) or stops there (a crash).
using ListFileWrite = std::function<bool(QIODevice& file, const QByteArray& bytes)>;

// Replaces the file at path by bytes as one step: they are written to a
// temporary file in the same folder, which then takes the place of the
// target. On any failure the earlier file stays as it was, byte for byte.
// Refuses a target that exists but is not a regular file.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, const ListFileWrite& write = {});

// encodeListFile, then writeFileAtomically.
bool writeListFile(const QString& path, const QStringList& entries, const ListFileWrite& write = {});

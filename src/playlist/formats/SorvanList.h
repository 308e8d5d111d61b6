#pragma once
// The codec of the program's own list file (see playlist/ListFile.h for the
// format): bytes to entries and back, Qt Core only. Its code is
// playlist/ListFile.cpp.

#include <QByteArray>
#include <QByteArrayView>
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

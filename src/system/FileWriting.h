#pragma once
// Writing a file's whole content anew without ever leaving a part of it.
//
// The first way: the new bytes go to a new file beside the old one, are
// flushed to the disk, and the new file then takes the old one's place in
// one step. Where the folder takes no new file (it is read-only to us) but
// the file itself may be written, the file is rewritten where it stands, its
// old bytes kept to be put back on any failure.
//
// Names are opened by their bytes (system/FileNames.h). One branch per system.

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace sys {

// How the bytes reach the open file; true when all were written. Empty: in
// one call. Tests put in one that fails part way (a full disk, a write error
// at a chosen byte) or stops there (a crash).
using FileWrite = std::function<bool(QIODevice& file, const QByteArray& bytes)>;

// What a name leads to, its links followed.
enum class NameLeadsTo {
    Nothing,      // no such name (its folder may be missing as well)
    RegularFile,  //
    SomethingElse // a folder, a device, a pipe, a link that leads nowhere or in a loop, a name that cannot be looked up
};
NameLeadsTo whatNameLeadsTo(const QString& name);

// Whether this process may make a file of size bytes: the system's limit on
// the size of the files it writes (past it, a write would end the process).
bool fileSizeAllowed(qint64 size);

enum class Replaced {
    Yes,
    No,                  // nothing changed
    FolderTakesNoNewFile // nothing changed: the folder refused the new file
};
// Writes bytes to a new file in the folder of the file name leads to, flushes
// it to the disk and puts it in that file's place, with that file's
// permissions. A link stays a link: its target gets the bytes. An existing
// file that this user may not write is not replaced. On any failure the old
// file is untouched and no new file is left behind.
Replaced replaceFile(const QString& name, const QByteArray& bytes, const FileWrite& write);

// The largest file rewriteFileInPlace takes: its old bytes are kept in memory.
inline constexpr qint64 kMaxRewrittenFileSize = 64 * 1024 * 1024;

// Rewrites the existing regular file name leads to where it stands: keeps its
// old bytes, reserves room for the new ones without changing its length,
// checks the new length against the size limit, writes the new bytes over
// the old ones, sets the new length last and flushes the file to the disk.
// On any failure the old bytes are written back and false is returned.
//
// The one moment that can still leave a mix of old and new bytes is a crash
// or a kill between the first write and the new length: one write of the
// whole content and one call, a few milliseconds for a list of thousands of
// entries. Before the first write, the file is as it was.
bool rewriteFileInPlace(const QString& name, const QByteArray& bytes, const FileWrite& write);

} // namespace sys

#pragma once
// File names as the file system holds them: bytes. Most are UTF-8, but a
// name copied from an old archive or a Windows disk may hold bytes that are
// not (caf\xE9.wav). Such a name must still be found again, so it travels
// through the program as a QString that keeps every byte: valid UTF-8 is
// decoded as usual, and each byte that is not part of valid UTF-8 is kept as
// the lone surrogate U+DC80..U+DCFF (0x80..0xFF plus U+DC00), from which
// bytesOfName gives the byte back. Every byte string survives the round trip
// exactly; a name in valid UTF-8 is just its text.
//
// A name that holds such a byte cannot be passed to QFile or QFileInfo (Qt
// would write the surrogate as '?'): check and open it through the sys::
// calls that take the bytes. On Windows names are UTF-16 already, and the
// bytes of a name are its UTF-8.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace sys {
// The name for the bytes the system gave (argv, a directory entry, a
// percent-decoded file:// address, a line of a list file).
QString nameFromBytes(QByteArrayView bytes);
// The bytes the system knows the name by.
QByteArray bytesOfName(QStringView name);
// True when the name keeps a byte that is not valid UTF-8.
bool holdsRawBytes(QStringView name);
} // namespace sys

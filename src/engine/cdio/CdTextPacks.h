#pragma once
// CD-Text as a disc's lead-in holds it: 18-byte packs (type, track, sequence
// number, block and character position, 12 bytes of text, CRC), in up to
// eight blocks of one language each. A size-information pack of each block
// names its character code (ISO-8859-1, ASCII, MS-JIS, ...) and the language
// of every block.
//
// Pure: decodes the packs of a CD-Text file or of a drive's answer (with or
// without its 4-byte header). The Japanese block is taken, else the first
// one; each string is decoded in its block's character code, and in the
// program's one order for byte strings where the code is none of those.

#include "engine/CdDrive.h"

#include <QByteArrayView>

inline constexpr int kCdTextPackBytes = 18;
// Eight blocks of at most 256 packs, and the header.
inline constexpr qsizetype kMaxCdTextBytes = 8 * 256 * kCdTextPackBytes + 4;

// The packs of a CD-Text file, or of a drive's answer with its header.
CdText decodeCdText(QByteArrayView raw);

// libcdio 2.1.0's mmc_read_cdtext holds a drive's answer in a buffer of this
// many bytes (512 packs and the 4-byte header), and cdio_get_cdtext_raw hands
// that buffer over without its size. A drive may report more.
inline constexpr qsizetype kLibcdioCdTextBufferBytes = 9220;  // libcdio 2.1.0

// How many bytes of a drive's answer at answer, in a buffer of bufferBytes,
// are CD-Text: the length its header reports (a big-endian count of the
// bytes after its first two) and those two, at most the buffer.
qsizetype driveCdTextSize(const unsigned char* answer, qsizetype bufferBytes = kLibcdioCdTextBufferBytes);

// The CD-Text of a drive's answer as libcdio hands it over; nothing past
// driveCdTextSize is read.
CdText decodeDriveCdText(const unsigned char* answer, qsizetype bufferBytes = kLibcdioCdTextBufferBytes);

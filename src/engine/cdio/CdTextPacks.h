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

CdText decodeCdText(QByteArrayView raw);

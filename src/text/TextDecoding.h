#pragma once
// Byte strings of unknown encoding, as programs on Japanese Windows systems
// wrote them: list files, tags declared Latin-1, MIDI text events, CD-Text.
// Only Qt Core is used here, so the rules can be fuzzed on their own.

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace text {

// The UTF-8 encoding of U+FEFF.
inline constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF", 3);

// The bytes as UTF-8 when they are valid UTF-8 (a leading byte-order mark is
// kept as text); nothing otherwise.
std::optional<QString> decodeUtf8(QByteArrayView bytes);

// The bytes in the system's locale encoding when every byte is valid in it
// (UTF-8 everywhere but Windows, the ANSI code page there); nothing otherwise.
std::optional<QString> decodeLocale(QByteArrayView bytes);

// The bytes as Shift-JIS (CP932, the Japanese Windows code page) when they
// decode without error; nothing otherwise.
std::optional<QString> decodeCp932(QByteArrayView bytes);

// The bytes as CP932 with undecodable bytes replaced (U+FFFD): for text that
// says it is CP932.
QString decodeCp932Lenient(QByteArrayView bytes);

// The text of a byte string whose encoding is not known, in this order:
//  1. a byte-order mark (UTF-8, UTF-16 LE or BE) selects that encoding;
//  2. valid UTF-8 is UTF-8;
//  3. CP932 when the bytes decode cleanly in it and hold at least one
//     double-byte character;
//  4. otherwise Latin-1, which decodes every byte ("Café" stays "Café").
// The caller cuts the string at its terminator; a NUL inside stays.
QString decodeByteString(QByteArrayView bytes);

} // namespace text

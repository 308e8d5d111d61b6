#pragma once
// The tag reader of the real program: TagLib for MP3 (ID3v1, ID3v2), WAV
// (RIFF INFO, ID3v2) and the other formats TagLib knows; our own readers for
// MIDI text events and AVI INFO chunks. Every byte string that TagLib would
// take for Latin-1 (ID3v1, ID3v2 frames declared Latin-1, RIFF INFO) is
// decoded in the program's one order instead, so CP932 reads as Japanese.

#include "engine/MediaTags.h"

// Files whose tags would need more than this are read as having none.
inline constexpr qint64 kMaxTagBytes = 32 * 1024 * 1024;

MediaTagReaderPtr makeTagLibTagReader();

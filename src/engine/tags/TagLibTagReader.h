#pragma once
// The tag reader of the real program: TagLib for MP3 (ID3v1, ID3v2), WAV
// (RIFF INFO, ID3v2) and the other formats TagLib knows; our own readers for
// MIDI text events and AVI INFO chunks. Every byte string that TagLib would
// take for Latin-1 (ID3v1, ID3v2 frames declared Latin-1, RIFF INFO) is
// decoded in the program's one order instead, so CP932 reads as Japanese.
// Each file is opened once and read within one budget (TagSource.h), TagLib's
// reads included: no scan of a whole file, however large.

#include "engine/MediaTags.h"

MediaTagReaderPtr makeTagLibTagReader();

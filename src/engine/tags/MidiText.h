#pragma once
// The names a standard MIDI file gives itself, from its text events: the
// sequence name (the first track's name) as the title, else the first text
// event; the first copyright notice as the copyright. A RIFF MIDI file
// (RMID) is read through the standard MIDI file inside it.
//
// Pure: the caller hands the file's first bytes (at most kMaxMidiBytes); an
// event cut off at the end, or a damaged one, ends the reading with what
// was found before it.

#include "engine/MediaTags.h"

#include <QByteArrayView>

inline constexpr qsizetype kMaxMidiBytes = 1024 * 1024;

MediaTags readMidiText(QByteArrayView bytes);

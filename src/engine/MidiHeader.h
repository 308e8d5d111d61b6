#pragma once
// How a MIDI file begins: a standard MIDI file opens with its header chunk
// "MThd"; a RIFF MIDI file ("RIFF", its size, then "RMID") wraps one in its
// "data" chunk. The first kMidiHeadBytes bytes of a file tell which it is.

#include <QByteArrayView>

inline constexpr qsizetype kMidiHeadBytes = 12;

// The bytes begin a standard MIDI file.
inline bool IsStandardMidiHead(QByteArrayView bytes)
{
    return bytes.startsWith("MThd");
}

// The bytes begin a RIFF MIDI file.
inline bool IsRiffMidiHead(QByteArrayView bytes)
{
    return bytes.size() >= kMidiHeadBytes && bytes.startsWith("RIFF") && bytes.sliced(8, 4) == "RMID";
}

// The bytes begin a MIDI file of either kind.
inline bool IsMidiHead(QByteArrayView bytes)
{
    return IsStandardMidiHead(bytes) || IsRiffMidiHead(bytes);
}

#pragma once
// How a subtitle file reaches libVLC, judged from its bytes by the decoding
// order that every byte string of the program follows (text/TextDecoding.h):
// UTF-8, with or without a byte-order mark, as it is; anything else (CP932,
// UTF-16, Latin-1) as a UTF-8 copy, since libVLC reads other encodings only
// through a fallback that an embedding program does not set. Pure.

#include <QByteArray>
#include <QByteArrayView>

// At most this much of a subtitle file is read.
inline constexpr qsizetype kMaxSubtitleBytes = 4 * 1024 * 1024;

struct SubtitleJudgement {
    enum class Way { AsItIs, Utf8Copy, LeftOut };
    Way way = Way::LeftOut;
    QByteArray copy;  // the UTF-8 text for Utf8Copy
};

// head: the file's first bytes (at most kMaxSubtitleBytes); whole: whether
// they are all of it. A file that is not text (a NUL byte without a UTF-16
// mark: picture subtitles in a .sub), an empty one, and one too long to read
// whole that is not UTF-8 are left out.
SubtitleJudgement judgeSubtitle(QByteArrayView head, bool whole);

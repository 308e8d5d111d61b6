#pragma once
// The INFO list of a RIFF file (AVI): INAM the title, IART the artist, IPRD
// the album, ICOP the copyright, each decoded in the program's one order.
//
// Pure: the file is reached through readAt(offset, size), which returns at
// most size bytes from offset (fewer at the end). Only chunk headers and the
// INFO list are read, never the pictures and sounds between them, and only
// a bounded number of chunks is looked at.

#include "engine/MediaTags.h"

#include <QByteArray>
#include <functional>

using RiffReadAt = std::function<QByteArray(qint64 offset, qint64 size)>;

inline constexpr int kMaxRiffChunks = 4096;
inline constexpr qint64 kMaxRiffInfoBytes = 64 * 1024;

MediaTags readRiffInfo(const RiffReadAt& readAt);

// The fields of an INFO list's body (after "INFO").
MediaTags riffInfoFields(QByteArrayView list);

#pragma once
// Reading what libVLC knows of a medium into the engine's plain values.
// Called on the engine's worker thread only.

#include "engine/MediaEngine.h"

struct libvlc_media_t;
struct libvlc_media_player_t;

// The medium's tracks, with the sizes, rates and encodings libVLC found.
MediaInfo readMediaInfo(libvlc_media_t* media);
// libVLC's running counts for the medium (zero when it keeps none).
MediaStatistics readMediaStatistics(libvlc_media_t* media);
// Sets the playback speed of player; the pitch stays natural.
void applyRate(libvlc_media_player_t* player, double rate);

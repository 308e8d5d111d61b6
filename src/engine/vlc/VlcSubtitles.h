#pragma once
// Subtitle files handed to libVLC, and its subtitle tracks read back. Called
// on the engine's worker thread only (labelFileTracks is pure).

#include "engine/MediaEngine.h"
#include "engine/vlc/SubtitleCopies.h"

struct libvlc_media_t;
struct libvlc_media_player_t;

// Before the medium plays: libVLC opens the files with it and shows the
// first one's track.
void addSubtitlesToMedium(libvlc_media_t* media, const PreparedSubtitles& subtitles);
// While it plays; selectFirst shows the first one's track.
void addSubtitlesToPlayer(libvlc_media_player_t* player, const PreparedSubtitles& subtitles, bool selectFirst);

// The subtitle tracks libVLC reports for the medium in player and the one
// shown; the tracks of the handed files get the files' language parts.
MediaSubtitles readSubtitles(libvlc_media_player_t* player, libvlc_media_t* media,
                             const QList<HandedSubtitle>& handed);

// libVLC adds the handed files' tracks after the medium's own, in the order
// handed, and names each one's language after its file name
// (HandedSubtitle::nameLanguage); a file it could not read adds none. Gives
// each file's track the file's own language part.
void labelFileTracks(QList<SubtitleTrack>& tracks, const QList<HandedSubtitle>& handed);

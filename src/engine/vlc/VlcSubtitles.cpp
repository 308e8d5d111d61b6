#include "engine/vlc/VlcSubtitles.h"

#include <QHash>

#include <vlc/vlc.h>

namespace {
// Files handed with the medium are the user's own choice of subtitles:
// libVLC shows the first of the highest priority.
constexpr unsigned kHandedPriority = 4;
} // namespace

void addSubtitlesToMedium(libvlc_media_t* media, const PreparedSubtitles& subtitles)
{
    for (const HandedSubtitle& file : subtitles.files)
        libvlc_media_slaves_add(media, libvlc_media_slave_type_subtitle, kHandedPriority, file.uri.constData());
}

void addSubtitlesToPlayer(libvlc_media_player_t* player, const PreparedSubtitles& subtitles, bool selectFirst)
{
    bool select = selectFirst;
    for (const HandedSubtitle& file : subtitles.files) {
        libvlc_media_player_add_slave(player, libvlc_media_slave_type_subtitle, file.uri.constData(), select);
        select = false;
    }
}

MediaSubtitles readSubtitles(libvlc_media_player_t* player, libvlc_media_t* media,
                             const QList<HandedSubtitle>& handed)
{
    QHash<int, QString> languages;
    libvlc_media_track_t** tracks = nullptr;
    const unsigned count = libvlc_media_tracks_get(media, &tracks);
    for (unsigned i = 0; i < count; ++i)
        if (tracks[i]->i_type == libvlc_track_text && tracks[i]->psz_language)
            languages.insert(tracks[i]->i_id, QString::fromUtf8(tracks[i]->psz_language));
    libvlc_media_tracks_release(tracks, count);

    MediaSubtitles subtitles;
    libvlc_track_description_t* list = libvlc_video_get_spu_description(player);
    for (const libvlc_track_description_t* track = list; track; track = track->p_next)
        if (track->i_id >= 0)  // -1 is libVLC's "Disable"
            subtitles.tracks.append({track->i_id, languages.value(track->i_id)});
    libvlc_track_description_list_release(list);
    labelFileTracks(subtitles.tracks, handed);
    subtitles.current = libvlc_video_get_spu(player);
    return subtitles;
}

void labelFileTracks(QList<SubtitleTrack>& tracks, const QList<HandedSubtitle>& handed)
{
    qsizetype t = tracks.size() - 1;
    for (qsizetype f = handed.size() - 1; f >= 0 && t >= 0; --f) {
        if (tracks[t].language.compare(handed[f].nameLanguage, Qt::CaseInsensitive) != 0)
            continue;  // libVLC made no track of this file
        tracks[t--].language = handed[f].language;
    }
}

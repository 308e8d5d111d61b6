// The media player's subtitle tracks: what the engine reports for the medium
// and the track the user chose for it.
#include "controls/mediaplayer/MediaPlayer.h"

#include "controls/mediaplayer/MediaPlayerCommands.h"

#include <algorithm>

void MediaPlayer::setSubtitle(int id)
{
    const bool known = id == -1
        || std::any_of(m_subtitles.tracks.cbegin(), m_subtitles.tracks.cend(),
                       [id](const SubtitleTrack& track) { return track.id == id; });
    if (!m_engine || !hasMedia() || !known || id == m_subtitles.current)
        return;
    m_engine->setSubtitle(id);
    // Shown checked at once; the engine's report follows.
    m_subtitles.current = id;
    m_commands->refresh();
    emit subtitlesChanged();
}

void MediaPlayer::onSubtitles(const MediaSubtitles& subtitles)
{
    if (subtitles == m_subtitles)
        return;
    const bool newTracks = subtitles.tracks != m_subtitles.tracks;
    m_subtitles = subtitles;
    if (newTracks)
        m_commands->updateSubtitles();
    m_commands->refresh();
    emit subtitlesChanged();
}

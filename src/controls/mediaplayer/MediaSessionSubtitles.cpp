// The media session's subtitle tracks: what the engine reports for the file
// and the track the user chose for it.
#include "controls/mediaplayer/MediaSession.h"

#include <algorithm>

void MediaSession::setSubtitle(int id)
{
    const bool known = id == -1
        || std::any_of(m_subtitles.tracks.cbegin(), m_subtitles.tracks.cend(),
                       [id](const SubtitleTrack& track) { return track.id == id; });
    if (!hasFile() || !known || id == m_subtitles.current)
        return;
    m_engine->setSubtitle(id);
    // Shown chosen at once; the engine's report follows.
    m_subtitles.current = id;
    emit subtitlesChanged();
}

void MediaSession::onSubtitles(const MediaSubtitles& subtitles)
{
    if (subtitles == m_subtitles)
        return;
    m_subtitles = subtitles;
    emit subtitlesChanged();
}

#include "engine/vlc/VlcMediaInfo.h"

#include <vlc/vlc.h>

namespace {

MediaTrackInfo::Kind kindOf(libvlc_track_type_t type)
{
    switch (type) {
    case libvlc_track_audio:
        return MediaTrackInfo::Kind::Audio;
    case libvlc_track_video:
        return MediaTrackInfo::Kind::Video;
    case libvlc_track_text:
        return MediaTrackInfo::Kind::Text;
    default:
        return MediaTrackInfo::Kind::Other;
    }
}

// The four characters of an encoding's code, without trailing blanks.
QString fourccText(uint32_t code)
{
    QString text;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((code >> (8 * i)) & 0xff);
        if (c > ' ' && c < 127)
            text += QLatin1Char(c);
    }
    return text;
}

MediaTrackInfo trackInfo(const libvlc_media_track_t& track)
{
    MediaTrackInfo info;
    info.kind = kindOf(track.i_type);
    const char* description = libvlc_media_get_codec_description(track.i_type, track.i_codec);
    info.codec = description && *description ? QString::fromUtf8(description) : fourccText(track.i_codec);
    if (track.i_type == libvlc_track_audio && track.audio) {
        info.channels = static_cast<int>(track.audio->i_channels);
        info.sampleRate = static_cast<int>(track.audio->i_rate);
    } else if (track.i_type == libvlc_track_video && track.video) {
        info.size = QSize(static_cast<int>(track.video->i_width), static_cast<int>(track.video->i_height));
        if (track.video->i_frame_rate_den > 0)
            info.frameRate = double(track.video->i_frame_rate_num) / track.video->i_frame_rate_den;
    }
    return info;
}

// libVLC keeps bit rates in bytes a microsecond.
double kilobitsPerSecond(float bytesPerMicrosecond)
{
    return double(bytesPerMicrosecond) * 8000.0;
}

} // namespace

MediaInfo readMediaInfo(libvlc_media_t* media)
{
    MediaInfo info;
    if (!media)
        return info;
    libvlc_media_track_t** tracks = nullptr;
    const unsigned count = libvlc_media_tracks_get(media, &tracks);
    for (unsigned i = 0; i < count; ++i)
        if (tracks[i])
            info.tracks << trackInfo(*tracks[i]);
    if (tracks)
        libvlc_media_tracks_release(tracks, count);
    return info;
}

MediaStatistics readMediaStatistics(libvlc_media_t* media)
{
    MediaStatistics statistics;
    libvlc_media_stats_t stats{};
    if (!media || !libvlc_media_get_stats(media, &stats))
        return statistics;
    statistics.decodedVideo = stats.i_decoded_video;
    statistics.displayedPictures = stats.i_displayed_pictures;
    statistics.lostPictures = stats.i_lost_pictures;
    statistics.inputKbps = kilobitsPerSecond(stats.f_input_bitrate);
    statistics.demuxKbps = kilobitsPerSecond(stats.f_demux_bitrate);
    statistics.decodedAudio = stats.i_decoded_audio;
    statistics.playedAudioBuffers = stats.i_played_abuffers;
    statistics.lostAudioBuffers = stats.i_lost_abuffers;
    return statistics;
}

void applyRate(libvlc_media_player_t* player, double rate)
{
    if (player)
        libvlc_media_player_set_rate(player, static_cast<float>(rate));
}

#include "engine/vlc/VlcCallbacks.h"

#include "engine/vlc/VlcWorker.h"

using State = MediaEngine::State;
using Problem = MediaEngine::Problem;

const std::array<libvlc_event_e, 11> kPlayerEvents = {
    libvlc_MediaPlayerOpening,       libvlc_MediaPlayerPlaying,       libvlc_MediaPlayerPaused,
    libvlc_MediaPlayerStopped,       libvlc_MediaPlayerEndReached,    libvlc_MediaPlayerEncounteredError,
    libvlc_MediaPlayerTimeChanged,   libvlc_MediaPlayerLengthChanged, libvlc_MediaPlayerESAdded,
    libvlc_MediaPlayerESSelected,    libvlc_MediaPlayerVout,
};

namespace {

// libVLC plays what it cannot decode to its end in silence. A track it has
// no decoder for (an unknown encoding; MIDI without a usable soundfont) is
// added but never selected; corrupt data gives no track at all.
EngineReport endOfMedium(const VlcWorker& w)
{
    const int tracks = w.tracks.load();
    if (tracks > 0 && w.decodedTracks.load() > 0)
        return State::Ended;
    return w.midi.load() && tracks > 0 ? Problem::NoSoundfont : Problem::Unplayable;
}

} // namespace

void onPlayerEvent(const libvlc_event_t* event, void* data)
{
    VlcWorker& w = *static_cast<VlcWorker*>(data);
    const quint64 generation = w.playing.load();
    if (generation == 0)
        return;
    auto report = [&](const EngineReport& value) { w.mailbox().post(generation, value); };
    switch (event->type) {
    case libvlc_MediaPlayerOpening:
        report(State::Opening);
        break;
    case libvlc_MediaPlayerPlaying:
        report(State::Playing);
        // The audio output may be new.
        w.submit([generation](VlcWorker& worker) { worker.reapplyAudio(generation); });
        break;
    case libvlc_MediaPlayerPaused:
        report(State::Paused);
        break;
    case libvlc_MediaPlayerStopped:
        report(State::Stopped);
        break;
    case libvlc_MediaPlayerEndReached:
        report(endOfMedium(w));
        break;
    case libvlc_MediaPlayerEncounteredError:
        report(Problem::Unplayable);
        break;
    case libvlc_MediaPlayerTimeChanged:
        report(PositionReport{event->u.media_player_time_changed.new_time});
        if (w.withVideo.load() == generation && w.sized.load() != generation)
            w.submit([generation](VlcWorker& worker) { worker.reportVideoSize(generation); });
        break;
    case libvlc_MediaPlayerLengthChanged:
        report(DurationReport{event->u.media_player_length_changed.new_length});
        break;
    case libvlc_MediaPlayerESAdded:
    case libvlc_MediaPlayerESSelected:
        // A subtitle file beside the video says nothing about whether the
        // medium itself plays.
        if (event->u.media_player_es_changed.i_type == libvlc_track_text)
            w.submit([generation](VlcWorker& worker) { worker.reportSubtitles(generation); });
        else if (event->type == libvlc_MediaPlayerESAdded)
            ++w.tracks;
        else if (event->u.media_player_es_changed.i_id >= 0)
            ++w.decodedTracks;  // selected only once a decoder for it exists; -1 is a deselection
        break;
    case libvlc_MediaPlayerVout:
        if (event->u.media_player_vout.new_count > 0) {
            w.withVideo = generation;
            w.submit([generation](VlcWorker& worker) { worker.reportVideoSize(generation); });
        }
        break;
    default:
        break;
    }
}

int onStreamOpen(void* opaque, void** data, uint64_t* size)
{
    auto* source = static_cast<StreamSource*>(opaque);
    *data = source;
    *size = source->stream->size();
    return source->stream->seek(0) ? 0 : -1;
}

ssize_t onStreamRead(void* data, unsigned char* buffer, size_t length)
{
    auto* source = static_cast<StreamSource*>(data);
    return static_cast<ssize_t>(source->stream->read(reinterpret_cast<char*>(buffer), static_cast<qint64>(length)));
}

int onStreamSeek(void* data, uint64_t offset)
{
    return static_cast<StreamSource*>(data)->stream->seek(offset) ? 0 : -1;
}

void onStreamClose(void*) {}

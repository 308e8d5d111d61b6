#include "engine/vlc/VlcWorker.h"

#include "engine/vlc/ProcessEnd.h"
#include "engine/vlc/VlcArguments.h"
#include "engine/vlc/VlcCallbacks.h"
#include "engine/vlc/VlcMediaEngine.h"
#include "engine/vlc/VlcMediaInfo.h"
#include "engine/vlc/VlcSubtitles.h"

#include <QFileInfo>

#include <thread>
#include <vector>

using Problem = MediaEngine::Problem;

// ---------------------------------------------------------------------------
// The thread.

VlcWorker::VlcWorker(QList<QByteArray> arguments, QString soundfont)
    : m_arguments(std::move(arguments)), m_soundfont(std::move(soundfont))
{
}

std::shared_ptr<VlcWorker> VlcWorker::start(QList<QByteArray> arguments, QString soundfont)
{
    auto worker = std::make_shared<VlcWorker>(std::move(arguments), std::move(soundfont));
    processEnd::workerStarted();
    std::thread(run, worker).detach();
    return worker;
}

void VlcWorker::run(std::shared_ptr<VlcWorker> self)
{
    self->serveCommands();
    // Stopping may take long (a stalled medium); it frees nothing.
    if (self->m_player)
        libvlc_media_player_stop(self->m_player);
    processEnd::GatedStep step;
    self->releaseAll();
    self.reset();
    step.workerEnded();
}

void VlcWorker::serveCommands()
{
    for (;;) {
        std::function<void(VlcWorker&)> command;
        {
            std::unique_lock lock(m_queueMutex);
            m_queueWake.wait(lock, [this] { return m_closed || !m_queue.empty(); });
            if (m_closed)
                break;
            command = std::move(m_queue.front());
            m_queue.pop_front();
        }
        command(*this);
    }
    detachEvents();
}

void VlcWorker::submit(std::function<void(VlcWorker&)> command)
{
    {
        std::lock_guard lock(m_queueMutex);
        if (m_closed)
            return;
        m_queue.push_back(std::move(command));
    }
    m_queueWake.notify_one();
}

void VlcWorker::close()
{
    m_mailbox.close();
    std::deque<std::function<void(VlcWorker&)>> dropped;
    {
        std::lock_guard lock(m_queueMutex);
        m_closed = true;
        dropped.swap(m_queue);
    }
    m_queueWake.notify_one();
}

bool VlcWorker::isClosed()
{
    std::lock_guard lock(m_queueMutex);
    return m_closed;
}

// ---------------------------------------------------------------------------
// libVLC's handles.

namespace {

// libVLC unloads its plugins when its last instance goes, and the MIDI
// synthesizer's sound-font library fails when it is loaded a second time into
// the same process. An instance that lives as long as the process keeps every
// plugin loaded once.
void keepPluginsLoaded()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const char* argv[] = {"--quiet"};
        static libvlc_instance_t* keeper = libvlc_new(1, argv);
        Q_UNUSED(keeper);
    });
}

} // namespace

bool VlcWorker::ensurePlayer()
{
    if (m_player)
        return true;
    if (m_vlcFailed)
        return false;
    keepPluginsLoaded();
    std::vector<const char*> argv;
    for (const QByteArray& argument : m_arguments)
        argv.push_back(argument.constData());
    m_vlc = libvlc_new(static_cast<int>(argv.size()), argv.data());
    m_player = m_vlc ? libvlc_media_player_new(m_vlc) : nullptr;
    if (!m_player) {
        m_vlcFailed = true;
        return false;
    }
    // The window keeps its own clicks and keys.
    libvlc_video_set_key_input(m_player, 0);
    libvlc_video_set_mouse_input(m_player, 0);
    if (m_window)
        applyWindow();
    libvlc_audio_set_volume(m_player, m_volume);
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_player);
    for (libvlc_event_e type : kPlayerEvents)
        libvlc_event_attach(events, type, onPlayerEvent, this);
    return true;
}

void VlcWorker::applyWindow()
{
    if (!m_player)
        return;
#if defined(Q_OS_WIN)
    libvlc_media_player_set_hwnd(m_player, reinterpret_cast<void*>(m_window));
#elif defined(Q_OS_MACOS)
    libvlc_media_player_set_nsobject(m_player, reinterpret_cast<void*>(m_window));
#else
    libvlc_media_player_set_xwindow(m_player, static_cast<uint32_t>(m_window));
#endif
}

void VlcWorker::detachEvents()
{
    if (!m_player)
        return;
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_player);
    for (libvlc_event_e type : kPlayerEvents)
        libvlc_event_detach(events, type, onPlayerEvent, this);
    playing.store(0);
}

void VlcWorker::releaseMedium()
{
    if (!m_player || !m_media)
        return;
    libvlc_media_player_stop(m_player);
    playing.store(0);
    processEnd::GatedStep step;
    libvlc_media_player_set_media(m_player, nullptr);
    libvlc_media_release(m_media);
    m_media = nullptr;
    m_source.reset();
    m_subtitles = {};
}

void VlcWorker::releaseAll()
{
    if (m_media)
        libvlc_media_release(m_media);
    m_media = nullptr;
    if (m_player)
        libvlc_media_player_release(m_player);
    m_player = nullptr;
    m_source.reset();
    m_subtitles = {};
    if (m_vlc)
        libvlc_release(m_vlc);
    m_vlc = nullptr;
}

// ---------------------------------------------------------------------------
// The commands.

void VlcWorker::startMedium(quint64 generation, libvlc_media_t* media, bool isMidi)
{
    if (!media) {
        m_mailbox.post(generation, Problem::Unplayable);
        return;
    }
    m_media = media;
    tracks.store(0);
    decodedTracks.store(0);
    midi.store(isMidi);
    m_subtitleChoice.reset();
    m_reportedSubtitles.reset();
    if (std::optional<PreparedSubtitles> offered = takeOfferedSubtitles(generation)) {
        m_subtitles = std::move(*offered);
        addSubtitlesToMedium(media, m_subtitles);
    }
    playing.store(generation);
    libvlc_media_player_set_media(m_player, media);
    if (libvlc_media_player_play(m_player) != 0)
        m_mailbox.post(generation, Problem::Unplayable);
}

void VlcWorker::openFile(quint64 generation, const QString& path)
{
    if (generation != m_requested.load())
        return;  // another medium is already on its way
    releaseMedium();
    if (isClosed())
        return;  // the engine went while the last medium was stopping
    const MediaFileKind kind = inspectMediaFile(path);
    if (kind == MediaFileKind::Unplayable) {
        m_mailbox.post(generation, Problem::Unplayable);
        return;
    }
    if (kind == MediaFileKind::Midi && !QFileInfo(m_soundfont).isFile()) {
        m_mailbox.post(generation, Problem::NoSoundfont);
        return;
    }
    if (!ensurePlayer()) {
        m_mailbox.post(generation, Problem::Unplayable);
        return;
    }
    startMedium(generation, libvlc_media_new_path(m_vlc, pathForVlc(path).constData()),
                kind == MediaFileKind::Midi);
}

void VlcWorker::openStream(quint64 generation, std::shared_ptr<MediaStream> stream)
{
    if (generation != m_requested.load())
        return;
    releaseMedium();
    if (isClosed())
        return;
    if (!stream || !ensurePlayer()) {
        m_mailbox.post(generation, Problem::Unplayable);
        return;
    }
    m_source = std::make_unique<StreamSource>(StreamSource{std::move(stream)});
    startMedium(generation,
                libvlc_media_new_callbacks(m_vlc, onStreamOpen, onStreamRead, onStreamSeek, onStreamClose,
                                           m_source.get()),
                false);
}

bool VlcWorker::isCurrent(quint64 generation) const
{
    return m_player && m_media && playing.load() == generation;
}

namespace {
bool isFinished(libvlc_state_t state)
{
    return state == libvlc_Ended || state == libvlc_Error || state == libvlc_Stopped
        || state == libvlc_NothingSpecial;
}
} // namespace

void VlcWorker::playOrRestart()
{
    const libvlc_state_t state = libvlc_media_player_get_state(m_player);
    if (state == libvlc_Ended || state == libvlc_Error)
        libvlc_media_player_stop(m_player);
    if (isFinished(state) || state == libvlc_Paused)
        libvlc_media_player_play(m_player);
}

void VlcWorker::pause()
{
    libvlc_media_player_set_pause(m_player, 1);
}

void VlcWorker::stop()
{
    libvlc_media_player_stop(m_player);
}

void VlcWorker::seek(qint64 positionMs)
{
    // A medium that has finished is started again to be sought in; a paused
    // one stays paused.
    if (isFinished(libvlc_media_player_get_state(m_player)))
        playOrRestart();
    libvlc_media_player_set_time(m_player, positionMs);
}

void VlcWorker::setVolume(int volume)
{
    m_volume = volume;
    if (m_player)
        libvlc_audio_set_volume(m_player, volume);
}

void VlcWorker::setMuted(bool muted)
{
    m_muted = muted;
    if (m_player)
        libvlc_audio_set_mute(m_player, muted ? 1 : 0);
}

void VlcWorker::setRate(double rate)
{
    m_rate = rate;
    applyRate(m_player, rate);
}

void VlcWorker::reportInfo(quint64 generation)
{
    if (isCurrent(generation))
        m_mailbox.post(generation, readMediaInfo(m_media));
}

void VlcWorker::reportStatistics(quint64 generation)
{
    if (isCurrent(generation))
        m_mailbox.post(generation, readMediaStatistics(m_media));
}

void VlcWorker::setWindow(WId window)
{
    m_window = window;
    applyWindow();
}

void VlcWorker::reportVideoSize(quint64 generation)
{
    unsigned width = 0, height = 0;
    if (playing.load() != generation || sized.load() == generation || !m_player
        || libvlc_video_get_size(m_player, 0, &width, &height) != 0 || width == 0 || height == 0)
        return;
    sized = generation;
    m_mailbox.post(generation, QSize(static_cast<int>(width), static_cast<int>(height)));
}

void VlcWorker::reapplyAudio(quint64 generation)
{
    if (playing.load() != generation || !m_player)
        return;
    libvlc_audio_set_volume(m_player, m_volume);
    libvlc_audio_set_mute(m_player, m_muted ? 1 : 0);
    applyRate(m_player, m_rate);
}

void VlcWorker::offerSubtitles(quint64 generation, PreparedSubtitles subtitles)
{
    {
        std::lock_guard lock(m_offerMutex);
        m_offeredFor = generation;
        m_offered = std::move(subtitles);
    }
    submit([generation](VlcWorker& w) { w.addOfferedSubtitles(generation); });
}

std::optional<PreparedSubtitles> VlcWorker::takeOfferedSubtitles(quint64 generation)
{
    std::lock_guard lock(m_offerMutex);
    if (m_offeredFor != generation)
        return std::nullopt;
    return std::exchange(m_offered, std::nullopt);
}

void VlcWorker::addOfferedSubtitles(quint64 generation)
{
    std::optional<PreparedSubtitles> offered = takeOfferedSubtitles(generation);
    if (!offered || !isCurrent(generation))
        return;  // taken with the medium, or for one that has gone
    m_subtitles = std::move(*offered);
    // A track the user has chosen meanwhile stays shown.
    addSubtitlesToPlayer(m_player, m_subtitles, !m_subtitleChoice);
}

void VlcWorker::setSubtitle(int id)
{
    m_subtitleChoice = id;
    libvlc_video_set_spu(m_player, id);
}

void VlcWorker::reportSubtitles(quint64 generation)
{
    if (!isCurrent(generation))
        return;
    // Stopped, at the end and starting again, libVLC has no tracks: the
    // medium's stay as they were.
    MediaSubtitles subtitles = readSubtitles(m_player, m_media, m_subtitles.files);
    if (subtitles.tracks.isEmpty())
        return;
    const bool choiceThere = m_subtitleChoice
        && (*m_subtitleChoice == -1
            || std::any_of(subtitles.tracks.cbegin(), subtitles.tracks.cend(),
                           [this](const SubtitleTrack& track) { return track.id == *m_subtitleChoice; }));
    if (choiceThere && subtitles.current != *m_subtitleChoice
        && libvlc_video_set_spu(m_player, *m_subtitleChoice) == 0)
        subtitles.current = *m_subtitleChoice;
    if (m_reportedSubtitles == subtitles)
        return;
    m_reportedSubtitles = subtitles;
    m_mailbox.post(generation, subtitles);
}

int runningVlcWorkers()
{
    return processEnd::runningWorkers();
}

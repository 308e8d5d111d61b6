#include "controls/VlcMediaEngine.h"

#include "controls/VlcMediaInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMetaObject>

#include <vlc/vlc.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

#ifndef SORVAN_SOUNDFONT
#define SORVAN_SOUNDFONT "/usr/share/sounds/sf2/TimGM6mb.sf2"
#endif

QString defaultSoundfontPath()
{
    return QStringLiteral(SORVAN_SOUNDFONT);
}

namespace {

using State = MediaEngine::State;
using Problem = MediaEngine::Problem;

// How long the destructor waits for libVLC to wind down before it lets the
// worker finish on its own. Stopping takes up to about 0.7 s here.
constexpr std::chrono::seconds kTeardownWait{5};

class VlcMediaEngine;

// A stream medium as libVLC's callbacks see it.
struct StreamSource {
    std::shared_ptr<MediaStream> stream;
};

// Everything the GUI side, the worker thread and libVLC's callbacks share.
// The worker thread keeps it alive until libVLC is gone.
struct Shared {
    // The GUI-side engine; cleared (under the lock) when it is destroyed, so
    // that nothing is posted to an engine that no longer exists.
    std::mutex mailboxMutex;
    VlcMediaEngine* engine = nullptr;

    // Commands for the worker, run in order.
    std::mutex queueMutex;
    std::condition_variable queueWake;
    std::deque<std::function<void()>> queue;
    bool closed = false;

    // The newest medium the GUI asked for; an open of an older one that is
    // still queued is skipped.
    std::atomic<quint64> requested{0};

    // Set before the worker starts, then read on the worker only.
    QList<QByteArray> arguments;
    QString soundfont;

    // The worker's own (libVLC is touched on the worker thread only).
    libvlc_instance_t* vlc = nullptr;
    bool vlcFailed = false;
    libvlc_media_player_t* player = nullptr;
    libvlc_media_t* media = nullptr;
    std::unique_ptr<StreamSource> source;
    int volume = 100;
    bool muted = false;
    double rate = 1.0;
    WId window = 0;

    // Read by libVLC's callbacks: the generation of the medium in the player
    // (0 while none), the tracks libVLC found in it and how many of them it
    // has no decoder for.
    std::atomic<quint64> playing{0};
    std::atomic<int> tracks{0};
    std::atomic<int> unsupported{0};
    std::atomic<bool> midi{false};
    // The generation whose video output exists, and the one whose picture
    // size has been reported: libVLC may know the size only a little after
    // it announces the output.
    std::atomic<quint64> withVideo{0};
    std::atomic<quint64> sized{0};
};

void toWorker(Shared& s, std::function<void()> command)
{
    {
        std::lock_guard lock(s.queueMutex);
        if (s.closed)
            return;
        s.queue.push_back(std::move(command));
    }
    s.queueWake.notify_one();
}

class VlcMediaEngine final : public MediaEngine {
public:
    explicit VlcMediaEngine(const QStringList& extraArguments);
    ~VlcMediaEngine() override;

    void open(const QString& localPath) override;
    void openStream(std::shared_ptr<MediaStream> stream) override;
    void play() override;
    void pause() override;
    void stop() override;
    void seek(qint64 positionMs) override;
    void setVolume(int percent) override;
    void setMuted(bool muted) override;
    void setVideoWindow(WId window) override;
    void setRate(double rate) override;
    void requestInfo() override;
    void requestStatistics() override;

    // What libVLC reported, delivered on the GUI thread. Reports about a
    // medium that has been replaced since are dropped.
    void deliverState(quint64 generation, State state);
    void deliverPosition(quint64 generation, qint64 ms);
    void deliverDuration(quint64 generation, qint64 ms);
    void deliverVideoSize(quint64 generation, QSize size);
    void deliverProblem(quint64 generation, Problem problem);
    void deliverInfo(quint64 generation, const MediaInfo& info);
    void deliverStatistics(quint64 generation, const MediaStatistics& statistics);

private:
    // Queues a command for the current medium.
    void post(std::function<void(Shared&, quint64)> command);
    quint64 beginMedium();

    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
    std::thread m_worker;
    std::future<void> m_finished;
    quint64 m_generation = 0;
    State m_state = State::Empty;
};

// Runs f(engine) on the GUI thread later, unless the engine is gone by then.
template <class F>
void toGui(Shared& s, F f)
{
    std::lock_guard lock(s.mailboxMutex);
    if (VlcMediaEngine* engine = s.engine)
        QMetaObject::invokeMethod(engine, [engine, f = std::move(f)] { f(*engine); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------
// Checks made before libVLC is given a path.

enum class FileKind { Unplayable, Midi, Other };

FileKind inspectFile(const QString& path)
{
    // Only regular, readable, non-empty files go further: a folder, a FIFO or
    // a device could make libVLC wait for ever.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= 0)
        return FileKind::Unplayable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileKind::Unplayable;
    const QByteArray head = file.read(12);
    if (head.startsWith("MThd") || (head.startsWith("RIFF") && head.mid(8, 4) == "RMID"))
        return FileKind::Midi;
    return FileKind::Other;
}

QByteArray pathForVlc(const QString& path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

// ---------------------------------------------------------------------------
// libVLC's callbacks. They run on libVLC's threads: they copy plain values
// and post them on, and never call libVLC.

// Asks for the picture's size on the worker (never in a callback) and reports
// it once it is known; until then each new position asks again.
void askVideoSize(Shared& s, quint64 generation)
{
    toWorker(s, [&s, generation] {
        unsigned width = 0, height = 0;
        if (s.playing.load() != generation || s.sized.load() == generation || !s.player
            || libvlc_video_get_size(s.player, 0, &width, &height) != 0 || width == 0 || height == 0)
            return;
        s.sized = generation;
        const QSize size(static_cast<int>(width), static_cast<int>(height));
        toGui(s, [generation, size](VlcMediaEngine& e) { e.deliverVideoSize(generation, size); });
    });
}

void onVlcEvent(const libvlc_event_t* event, void* data)
{
    Shared& s = *static_cast<Shared*>(data);
    const quint64 generation = s.playing.load();
    if (generation == 0)
        return;
    auto state = [&](State value) {
        toGui(s, [generation, value](VlcMediaEngine& e) { e.deliverState(generation, value); });
    };
    auto problem = [&](Problem value) {
        toGui(s, [generation, value](VlcMediaEngine& e) { e.deliverProblem(generation, value); });
    };
    switch (event->type) {
    case libvlc_MediaPlayerOpening:
        state(State::Opening);
        break;
    case libvlc_MediaPlayerPlaying:
        state(State::Playing);
        // The audio output may be new: give it the volume and mute again.
        toWorker(s, [&s, generation] {
            if (s.playing.load() != generation || !s.player)
                return;
            libvlc_audio_set_volume(s.player, s.volume);
            libvlc_audio_set_mute(s.player, s.muted ? 1 : 0);
            applyRate(s.player, s.rate);
        });
        break;
    case libvlc_MediaPlayerPaused:
        state(State::Paused);
        break;
    case libvlc_MediaPlayerStopped:
        state(State::Stopped);
        break;
    case libvlc_MediaPlayerEndReached: {
        // libVLC plays corrupt data to its end in silence: a medium that ended
        // without a single track it could decode was never playable.
        const int tracks = s.tracks.load();
        if (tracks == 0 || s.unsupported.load() >= tracks)
            problem(s.midi.load() && tracks > 0 ? Problem::NoSoundfont : Problem::Unplayable);
        else
            state(State::Ended);
        break;
    }
    case libvlc_MediaPlayerEncounteredError:
        problem(Problem::Unplayable);
        break;
    case libvlc_MediaPlayerTimeChanged: {
        const qint64 ms = event->u.media_player_time_changed.new_time;
        toGui(s, [generation, ms](VlcMediaEngine& e) { e.deliverPosition(generation, ms); });
        if (s.withVideo.load() == generation && s.sized.load() != generation)
            askVideoSize(s, generation);
        break;
    }
    case libvlc_MediaPlayerLengthChanged: {
        const qint64 ms = event->u.media_player_length_changed.new_length;
        toGui(s, [generation, ms](VlcMediaEngine& e) { e.deliverDuration(generation, ms); });
        break;
    }
    case libvlc_MediaPlayerESAdded:
        ++s.tracks;
        break;
    case libvlc_MediaPlayerVout:
        if (event->u.media_player_vout.new_count > 0) {
            s.withVideo = generation;
            askVideoSize(s, generation);
        }
        break;
    default:
        break;
    }
}

constexpr libvlc_event_e kPlayerEvents[] = {
    libvlc_MediaPlayerOpening,     libvlc_MediaPlayerPlaying,        libvlc_MediaPlayerPaused,
    libvlc_MediaPlayerStopped,     libvlc_MediaPlayerEndReached,     libvlc_MediaPlayerEncounteredError,
    libvlc_MediaPlayerTimeChanged, libvlc_MediaPlayerLengthChanged,  libvlc_MediaPlayerESAdded,
    libvlc_MediaPlayerVout,
};

// A track that libVLC has no decoder for (an unknown encoding; for MIDI, no
// usable soundfont) shows only as an error line in its log.
void onVlcLog(void* data, int level, const libvlc_log_t*, const char* format, va_list)
{
    if (level != LIBVLC_ERROR || !format)
        return;
    if (std::strstr(format, "is not supported") || std::strstr(format, "could not identify codec"))
        ++static_cast<Shared*>(data)->unsupported;
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

// ---------------------------------------------------------------------------
// The worker's side: every libVLC call is made here.

void applyWindow(Shared& s)
{
    if (!s.player)
        return;
#if defined(Q_OS_WIN)
    libvlc_media_player_set_hwnd(s.player, reinterpret_cast<void*>(s.window));
#elif defined(Q_OS_MACOS)
    libvlc_media_player_set_nsobject(s.player, reinterpret_cast<void*>(s.window));
#else
    libvlc_media_player_set_xwindow(s.player, static_cast<uint32_t>(s.window));
#endif
}

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

bool ensurePlayer(Shared& s)
{
    if (s.player)
        return true;
    if (s.vlcFailed)
        return false;
    keepPluginsLoaded();
    std::vector<const char*> argv;
    for (const QByteArray& argument : s.arguments)
        argv.push_back(argument.constData());
    s.vlc = libvlc_new(static_cast<int>(argv.size()), argv.data());
    if (!s.vlc) {
        s.vlcFailed = true;
        return false;
    }
    libvlc_log_set(s.vlc, onVlcLog, &s);
    s.player = libvlc_media_player_new(s.vlc);
    if (!s.player) {
        s.vlcFailed = true;
        return false;
    }
    // The window keeps its own clicks and keys.
    libvlc_video_set_key_input(s.player, 0);
    libvlc_video_set_mouse_input(s.player, 0);
    if (s.window)
        applyWindow(s);
    libvlc_audio_set_volume(s.player, s.volume);
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(s.player);
    for (libvlc_event_e type : kPlayerEvents)
        libvlc_event_attach(events, type, onVlcEvent, &s);
    return true;
}

// Stops what plays and lets go of it.
void releaseMedium(Shared& s)
{
    if (!s.player || !s.media)
        return;
    libvlc_media_player_stop(s.player);
    s.playing.store(0);
    libvlc_media_player_set_media(s.player, nullptr);
    libvlc_media_release(s.media);
    s.media = nullptr;
    s.source.reset();
}

void reportProblem(Shared& s, quint64 generation, Problem problem)
{
    toGui(s, [generation, problem](VlcMediaEngine& e) { e.deliverProblem(generation, problem); });
}

void startMedium(Shared& s, quint64 generation, libvlc_media_t* media, bool midi)
{
    if (!media) {
        reportProblem(s, generation, Problem::Unplayable);
        return;
    }
    s.media = media;
    s.tracks.store(0);
    s.unsupported.store(0);
    s.midi.store(midi);
    s.playing.store(generation);
    libvlc_media_player_set_media(s.player, media);
    if (libvlc_media_player_play(s.player) != 0)
        reportProblem(s, generation, Problem::Unplayable);
}

void workerOpenFile(Shared& s, quint64 generation, const QString& path)
{
    if (generation != s.requested.load())
        return;  // another medium is already on its way
    releaseMedium(s);
    const FileKind kind = inspectFile(path);
    if (kind == FileKind::Unplayable) {
        reportProblem(s, generation, Problem::Unplayable);
        return;
    }
    if (kind == FileKind::Midi && !QFileInfo(s.soundfont).isFile()) {
        reportProblem(s, generation, Problem::NoSoundfont);
        return;
    }
    if (!ensurePlayer(s)) {
        reportProblem(s, generation, Problem::Unplayable);
        return;
    }
    startMedium(s, generation, libvlc_media_new_path(s.vlc, pathForVlc(path).constData()), kind == FileKind::Midi);
}

void workerOpenStream(Shared& s, quint64 generation, std::shared_ptr<MediaStream> stream)
{
    if (generation != s.requested.load())
        return;
    releaseMedium(s);
    if (!stream || !ensurePlayer(s)) {
        reportProblem(s, generation, Problem::Unplayable);
        return;
    }
    s.source = std::make_unique<StreamSource>(StreamSource{std::move(stream)});
    startMedium(s, generation,
                libvlc_media_new_callbacks(s.vlc, onStreamOpen, onStreamRead, onStreamSeek, onStreamClose,
                                           s.source.get()),
                false);
}

bool isCurrent(const Shared& s, quint64 generation)
{
    return s.player && s.media && s.playing.load() == generation;
}

bool isFinished(libvlc_state_t state)
{
    return state == libvlc_Ended || state == libvlc_Error || state == libvlc_Stopped
        || state == libvlc_NothingSpecial;
}

// Playing again after the end (or after an error or a stop) starts from the
// beginning; after a pause it goes on.
void playOrRestart(Shared& s)
{
    const libvlc_state_t state = libvlc_media_player_get_state(s.player);
    if (state == libvlc_Ended || state == libvlc_Error)
        libvlc_media_player_stop(s.player);
    if (isFinished(state) || state == libvlc_Paused)
        libvlc_media_player_play(s.player);
}

void teardown(Shared& s)
{
    if (s.player) {
        libvlc_event_manager_t* events = libvlc_media_player_event_manager(s.player);
        for (libvlc_event_e type : kPlayerEvents)
            libvlc_event_detach(events, type, onVlcEvent, &s);
        libvlc_media_player_stop(s.player);
        s.playing.store(0);
    }
    if (s.media)
        libvlc_media_release(s.media);
    s.media = nullptr;
    if (s.player)
        libvlc_media_player_release(s.player);
    s.player = nullptr;
    s.source.reset();
    if (s.vlc) {
        libvlc_log_unset(s.vlc);
        libvlc_release(s.vlc);
    }
    s.vlc = nullptr;
}

void runWorker(std::shared_ptr<Shared> s, std::promise<void> finished)
{
    for (;;) {
        std::function<void()> command;
        {
            std::unique_lock lock(s->queueMutex);
            s->queueWake.wait(lock, [&] { return s->closed || !s->queue.empty(); });
            if (s->closed)
                break;
            command = std::move(s->queue.front());
            s->queue.pop_front();
        }
        command();
    }
    teardown(*s);
    finished.set_value();
}

// ---------------------------------------------------------------------------
// The GUI side.

QList<QByteArray> vlcArguments(const QStringList& extra, QString* soundfont)
{
    *soundfont = defaultSoundfontPath();
    bool videoOutputChosen = false;
    for (const QString& argument : extra) {
        if (argument.startsWith(QLatin1String("--soundfont=")))
            *soundfont = argument.mid(int(std::strlen("--soundfont=")));
        if (argument.startsWith(QLatin1String("--vout")))
            videoOutputChosen = true;
    }
    QList<QByteArray> arguments = {
        "--quiet",
        "--no-metadata-network-access",
        "--no-video-title-show",
        "--no-osd",
        "--no-snapshot-preview",
        "--no-xlib",
        // The player control keeps the screen on itself, once.
        "--no-disable-screensaver",
        // TimGM6mb is quiet at the synthesizer's usual gain.
        "--synth-gain=1.0",
        "--soundfont=" + QFile::encodeName(*soundfont),
    };
    // Without native windows (offscreen) there is nothing to draw into, and
    // libVLC must not open a window of its own.
    const QString platform = QGuiApplication::platformName();
    if (!videoOutputChosen && (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")))
        arguments << "--vout=vdummy";
    for (const QString& argument : extra)
        if (!argument.startsWith(QLatin1String("--soundfont=")))
            arguments << argument.toLocal8Bit();
    return arguments;
}

VlcMediaEngine::VlcMediaEngine(const QStringList& extraArguments)
{
    m_shared->engine = this;
    m_shared->arguments = vlcArguments(extraArguments, &m_shared->soundfont);
    std::promise<void> finished;
    m_finished = finished.get_future();
    m_worker = std::thread(runWorker, m_shared, std::move(finished));
}

VlcMediaEngine::~VlcMediaEngine()
{
    {
        std::lock_guard lock(m_shared->mailboxMutex);
        m_shared->engine = nullptr;
    }
    {
        std::lock_guard lock(m_shared->queueMutex);
        m_shared->closed = true;
        m_shared->queue.clear();
    }
    m_shared->queueWake.notify_one();
    if (m_finished.wait_for(kTeardownWait) == std::future_status::ready)
        m_worker.join();
    else
        m_worker.detach();  // libVLC is stuck; it keeps what it needs alive
}

quint64 VlcMediaEngine::beginMedium()
{
    m_state = State::Empty;
    m_shared->requested.store(++m_generation);
    return m_generation;
}

void VlcMediaEngine::open(const QString& localPath)
{
    const quint64 generation = beginMedium();
    Shared* s = m_shared.get();
    toWorker(*s, [s, generation, localPath] { workerOpenFile(*s, generation, localPath); });
}

void VlcMediaEngine::openStream(std::shared_ptr<MediaStream> stream)
{
    const quint64 generation = beginMedium();
    Shared* s = m_shared.get();
    toWorker(*s, [s, generation, stream = std::move(stream)] { workerOpenStream(*s, generation, stream); });
}

void VlcMediaEngine::post(std::function<void(Shared&, quint64)> command)
{
    Shared* s = m_shared.get();
    const quint64 generation = m_generation;
    toWorker(*s, [s, generation, command = std::move(command)] { command(*s, generation); });
}

void VlcMediaEngine::play()
{
    post([](Shared& s, quint64 generation) {
        if (isCurrent(s, generation))
            playOrRestart(s);
    });
}

void VlcMediaEngine::pause()
{
    post([](Shared& s, quint64 generation) {
        if (isCurrent(s, generation))
            libvlc_media_player_set_pause(s.player, 1);
    });
}

void VlcMediaEngine::stop()
{
    // libVLC has stopped by itself at the end already; stopping now only
    // leaves the end behind.
    if (m_state == State::Ended) {
        m_state = State::Stopped;
        emit stateChanged(State::Stopped);
    }
    post([](Shared& s, quint64 generation) {
        if (isCurrent(s, generation))
            libvlc_media_player_stop(s.player);
    });
}

void VlcMediaEngine::seek(qint64 positionMs)
{
    post([positionMs](Shared& s, quint64 generation) {
        if (!isCurrent(s, generation))
            return;
        // A medium that has finished is started again to be sought in; a
        // paused one stays paused.
        if (isFinished(libvlc_media_player_get_state(s.player)))
            playOrRestart(s);
        libvlc_media_player_set_time(s.player, positionMs);
    });
}

void VlcMediaEngine::setVolume(int percent)
{
    const int volume = qBound(0, percent, 100);
    post([volume](Shared& s, quint64) {
        s.volume = volume;
        if (s.player)
            libvlc_audio_set_volume(s.player, volume);
    });
}

void VlcMediaEngine::setMuted(bool muted)
{
    post([muted](Shared& s, quint64) {
        s.muted = muted;
        if (s.player)
            libvlc_audio_set_mute(s.player, muted ? 1 : 0);
    });
}

void VlcMediaEngine::setVideoWindow(WId window)
{
    post([window](Shared& s, quint64) {
        s.window = window;
        applyWindow(s);
    });
}

void VlcMediaEngine::setRate(double rate)
{
    post([rate](Shared& s, quint64) {
        s.rate = rate;
        applyRate(s.player, rate);
    });
}

void VlcMediaEngine::requestInfo()
{
    post([](Shared& s, quint64 generation) {
        if (!isCurrent(s, generation))
            return;
        const MediaInfo info = readMediaInfo(s.media);
        toGui(s, [generation, info](VlcMediaEngine& e) { e.deliverInfo(generation, info); });
    });
}

void VlcMediaEngine::requestStatistics()
{
    post([](Shared& s, quint64 generation) {
        if (!isCurrent(s, generation))
            return;
        const MediaStatistics statistics = readMediaStatistics(s.media);
        toGui(s, [generation, statistics](VlcMediaEngine& e) { e.deliverStatistics(generation, statistics); });
    });
}

void VlcMediaEngine::deliverInfo(quint64 generation, const MediaInfo& info)
{
    if (generation == m_generation)
        emit infoReady(info);
}

void VlcMediaEngine::deliverStatistics(quint64 generation, const MediaStatistics& statistics)
{
    if (generation == m_generation)
        emit statisticsReady(statistics);
}

void VlcMediaEngine::deliverState(quint64 generation, State state)
{
    if (generation != m_generation || state == m_state)
        return;
    // libVLC reports a stop of its own after the end; the player stays at
    // the end until told otherwise.
    if (m_state == State::Ended && state == State::Stopped)
        return;
    m_state = state;
    emit stateChanged(state);
}

void VlcMediaEngine::deliverPosition(quint64 generation, qint64 ms)
{
    if (generation == m_generation)
        emit positionChanged(ms);
}

void VlcMediaEngine::deliverDuration(quint64 generation, qint64 ms)
{
    if (generation == m_generation)
        emit durationChanged(ms);
}

void VlcMediaEngine::deliverVideoSize(quint64 generation, QSize size)
{
    if (generation == m_generation)
        emit videoSizeChanged(size);
}

void VlcMediaEngine::deliverProblem(quint64 generation, Problem problem)
{
    if (generation != m_generation || m_state == State::Error)
        return;
    emit this->problem(problem);
    m_state = State::Error;
    emit stateChanged(State::Error);
}

} // namespace

std::unique_ptr<MediaEngine> makeVlcMediaEngine(const QStringList& extraArguments)
{
    return std::make_unique<VlcMediaEngine>(extraArguments);
}

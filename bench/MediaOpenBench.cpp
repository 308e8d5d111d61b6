// Opening a media file until it plays: the player's engine next to libVLC
// used directly on the same file, with the same libVLC arguments, for WAV,
// MP3, MIDI and AVI. The engine's figure includes everything the player pays
// for: its checks of the file, the hop to its worker thread and the state
// change coming back to the GUI thread.
//
//   Engine/<format>  makeVlcMediaEngine(), open(path) until stateChanged(Playing)
//   Libvlc/<format>  one libvlc_new, then media_new_path + play until
//                    libvlc_MediaPlayerPlaying
//
// Only the way from open to Playing is timed; stopping between runs is not.
// The media files are made here (sox, ffmpeg; the MIDI file as bytes).

#include "engine/vlc/VlcMediaEngine.h"

#include <benchmark/benchmark.h>
#include <vlc/vlc.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWaitMs = 10000;

// What both sides hand libVLC: no sound card, no screen. The engine adds these
// to its own arguments; libVLC alone gets the engine's own ones too.
QStringList benchArguments()
{
    return {QStringLiteral("--aout=adummy"), QStringLiteral("--vout=vdummy"),
            QStringLiteral("--soundfont=") + defaultSoundfontPath()};
}

// The engine's own libVLC arguments (VlcMediaEngine.cpp), so that libVLC
// alone starts from the same settings.
QStringList engineOwnArguments()
{
    return {QStringLiteral("--quiet"), QStringLiteral("--no-metadata-network-access"),
            QStringLiteral("--no-video-title-show"), QStringLiteral("--no-osd"),
            QStringLiteral("--no-snapshot-preview"), QStringLiteral("--no-stats"), QStringLiteral("--no-xlib"),
            QStringLiteral("--synth-gain=1.0")};
}

// ---------------------------------------------------------------- media

// A format-0 standard MIDI file: a piano playing 40 notes of 0.25 s.
QByteArray midiFile()
{
    QByteArray track;
    auto bytes = [&track](std::initializer_list<int> values) {
        for (int v : values)
            track.append(static_cast<char>(v));
    };
    bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});  // 120 beats a minute
    bytes({0x00, 0xC0, 0x00});                          // acoustic grand piano
    for (int i = 0; i < 40; ++i) {
        const int note = 60 + (i * 7) % 24;
        bytes({0x00, 0x90, note, 0x64});   // note on
        bytes({0x30, 0x80, note, 0x40});   // note off 48 ticks (0.25 s) later
    }
    bytes({0x00, 0xFF, 0x2F, 0x00});
    QByteArray file("MThd", 4);
    file.append(QByteArray::fromHex("00000006" "0000" "0001" "0060"));
    file.append("MTrk", 4);
    const quint32 n = static_cast<quint32>(track.size());
    for (int shift : {24, 16, 8, 0})
        file.append(static_cast<char>((n >> shift) & 0xFF));
    return file + track;
}

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// Ten seconds of each format, long enough never to end while being timed.
std::map<std::string, QString> makeMedia(const QDir& dir)
{
    std::map<std::string, QString> files{{"wav", dir.filePath("tone.wav")}, {"mp3", dir.filePath("tone.mp3")},
                                         {"mid", dir.filePath("tune.mid")}, {"avi", dir.filePath("clip.avi")}};
    const QStringList tone{"-q", "-n", "-r", "44100", "-b", "16", "-c", "2"};
    bool ok = run("sox", tone + QStringList{files["wav"], "synth", "10", "sine", "440"})
           && run("sox", tone + QStringList{files["mp3"], "synth", "10", "sine", "440"})
           && run("ffmpeg", {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                             "testsrc=duration=10:size=320x240:rate=25", "-f", "lavfi", "-i",
                             "sine=frequency=440:duration=10", "-c:v", "mpeg4", "-c:a", "pcm_s16le",
                             files["avi"]});
    QFile midi(files["mid"]);
    ok = ok && midi.open(QIODevice::WriteOnly) && midi.write(midiFile()) > 0;
    if (!ok) {
        std::fprintf(stderr, "MediaOpenBench: cannot make the media files (sox, ffmpeg)\n");
        std::exit(2);
    }
    return files;
}

// ---------------------------------------------------------------- engine

// Waits (serving events) until the engine reports one of the wanted states;
// false on time-out or on an error state that was not wanted.
bool waitForState(MediaEngine& engine, std::initializer_list<MediaEngine::State> wanted,
                  const std::function<void()>& action, int timeoutMs = kWaitMs)
{
    QEventLoop loop;
    bool reached = false;
    const auto connection = QObject::connect(&engine, &MediaEngine::stateChanged, &loop,
                                             [&](MediaEngine::State state) {
        for (MediaEngine::State w : wanted) {
            if (state == w)
                reached = true;
        }
        if (reached || state == MediaEngine::State::Error)
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    action();
    if (!reached)
        loop.exec();
    QObject::disconnect(connection);
    return reached;
}

MediaEngine& engine()
{
    static std::unique_ptr<MediaEngine> instance = makeVlcMediaEngine(benchArguments());
    return *instance;
}

// Open to Playing, in milliseconds; negative if it never played.
double engineOpenOnce(const QString& path)
{
    MediaEngine& e = engine();
    Clock::time_point started;
    const bool playing = waitForState(e, {MediaEngine::State::Playing}, [&] {
        started = Clock::now();
        e.open(path);
    });
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    waitForState(e, {MediaEngine::State::Stopped, MediaEngine::State::Ended}, [&] { e.stop(); }, 3000);
    return playing ? ms : -1;
}

// ---------------------------------------------------------------- libVLC

class PlainVlc {
public:
    PlainVlc()
    {
        std::vector<std::string> owned;
        for (const QString& a : engineOwnArguments() + benchArguments())
            owned.push_back(a.toStdString());
        std::vector<const char*> argv;
        for (const std::string& a : owned)
            argv.push_back(a.c_str());
        m_instance = libvlc_new(static_cast<int>(argv.size()), argv.data());
        if (!m_instance) {
            std::fprintf(stderr, "MediaOpenBench: libvlc_new failed\n");
            std::exit(2);
        }
        m_player = libvlc_media_player_new(m_instance);
        libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_player);
        libvlc_event_attach(events, libvlc_MediaPlayerPlaying, &PlainVlc::onEvent, this);
        libvlc_event_attach(events, libvlc_MediaPlayerEncounteredError, &PlainVlc::onEvent, this);
    }
    ~PlainVlc()
    {
        libvlc_media_player_stop(m_player);
        libvlc_media_player_release(m_player);
        libvlc_release(m_instance);
    }

    // Open to Playing, in milliseconds; negative if it never played.
    double openOnce(const QString& path)
    {
        {
            std::lock_guard lock(m_mutex);
            m_state = Waiting;
        }
        const Clock::time_point started = Clock::now();
        libvlc_media_t* media = libvlc_media_new_path(m_instance, QFile::encodeName(path).constData());
        libvlc_media_player_set_media(m_player, media);
        libvlc_media_release(media);
        libvlc_media_player_play(m_player);
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(kWaitMs), [this] { return m_state != Waiting; });
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        const bool playing = m_state == Playing;
        lock.unlock();
        // Let go of the medium as the engine does before its next one.
        libvlc_media_player_stop(m_player);
        libvlc_media_player_set_media(m_player, nullptr);
        return playing ? ms : -1;
    }

private:
    enum State { Waiting, Playing, Failed };

    static void onEvent(const libvlc_event_t* event, void* self)
    {
        auto* vlc = static_cast<PlainVlc*>(self);
        std::lock_guard lock(vlc->m_mutex);
        vlc->m_state = event->type == libvlc_MediaPlayerPlaying ? Playing : Failed;
        vlc->m_changed.notify_all();
    }

    libvlc_instance_t* m_instance = nullptr;
    libvlc_media_player_t* m_player = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    State m_state = Waiting;
};

PlainVlc& plainVlc()
{
    static PlainVlc instance;
    return instance;
}

// ---------------------------------------------------------------- benches

void timeOpens(benchmark::State& state, const std::function<double()>& openOnce)
{
    for (auto _ : state) {
        const double ms = openOnce();
        if (ms < 0) {
            state.SkipWithError("the file never reached Playing");
            break;
        }
        state.SetIterationTime(ms / 1000.0);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::map<std::string, QString> media = makeMedia(QDir(dir.path()));

    for (const auto& [format, path] : media) {
        // Warm up: the first open makes the libVLC instance and loads its
        // plugins; the next ones are what a user meets.
        for (int i = 0; i < 2; ++i) {
            if (engineOpenOnce(path) < 0 || plainVlc().openOnce(path) < 0) {
                std::fprintf(stderr, "MediaOpenBench: %s does not play\n", format.c_str());
                return 2;
            }
        }
        const QString file = path;
        benchmark::RegisterBenchmark(("Engine/" + format).c_str(), [file](benchmark::State& state) {
            timeOpens(state, [&] { return engineOpenOnce(file); });
        })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
        benchmark::RegisterBenchmark(("Libvlc/" + format).c_str(), [file](benchmark::State& state) {
            timeOpens(state, [&] { return plainVlc().openOnce(file); });
        })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

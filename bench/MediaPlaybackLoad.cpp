// The cost of playing a video through the player control next to libVLC
// alone drawing the same file into a plain window of the same size: CPU time
// (every thread of the process) and resident memory over a stretch of
// playback, windowed or full screen; and the idle CPU of the control with a
// paused video or with sound playing. One measurement a run, printed as JSON;
// bench/run_bench.py alternates the runs and takes the medians.
//
//   bench_MediaPlaybackLoad player|libvlc FILE [--full] [--seconds S]
//   bench_MediaPlaybackLoad paused|libvlc-paused|audio FILE [--size WxH] [--seconds S]

#include "controls/mediaplayer/MediaPlayer.h"
#include "engine/vlc/VlcMediaEngine.h"

#include <vlc/vlc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

namespace {

// Audio goes nowhere, the same way for both sides.
const QStringList kAudio = {QStringLiteral("--aout=adummy")};
constexpr int kSettleMs = 1000;
// MediaPlayer1's rectangle and Picture1's size, in pixels.
const QRect kDesign(0, 8, 286, 225);
const QSize kPicture1(657, 545);

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double rssMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Waits until ready() holds, then measures for seconds and quits.
void measureWhen(std::function<bool()> ready, double seconds, std::function<QSize()> drawn)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [=] {
        if (!ready())
            return;
        poll->stop();
        // What the change of state costs once (a repaint, an icon looked up)
        // is not the steady cost: the measurement starts a second later.
        QTimer::singleShot(kSettleMs, qApp, [=] {
            const double cpu = cpuSeconds();
            auto* clock = new QElapsedTimer;
            clock->start();
            QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, qApp, [=] {
                const double used = cpuSeconds() - cpu;
                const double wall = clock->elapsed() / 1000.0;
                std::printf("{\"cpu_s\": %.4f, \"wall_s\": %.3f, \"cpu_percent\": %.3f, \"rss_mb\": %.2f, "
                            "\"width\": %d, \"height\": %d}\n",
                            used, wall, 100.0 * used / wall, rssMegabytes(), drawn().width(), drawn().height());
                std::fflush(stdout);
                qApp->quit();
            });
        });
    });
    poll->start();
}

int runPlayer(const QString& file, bool full, double seconds, const QString& mode)
{
    QWidget picture1;
    picture1.resize(kPicture1);
    auto* player = new MediaPlayer([] { return makeVlcMediaEngine(kAudio); }, &picture1);
    player->setDesignGeometry(kDesign);
    picture1.show();
    if (mode != QLatin1String("idle"))
        player->setFileName(file);
    bool paused = false;
    measureWhen(
        [=, &paused] {
            if (mode == QLatin1String("idle"))
                return true;
            if (mode == QLatin1String("audio"))
                return player->isPlaying();
            if (paused)
                return !player->isPlaying();
            if (!player->hasVideo() || !player->isPlaying())
                return false;
            if (mode == QLatin1String("paused")) {
                player->togglePlay();
                paused = true;
                return false;
            }
            if (full && !player->isFullScreen())
                player->setFullScreen(true);
            return true;
        },
        seconds, [=] { return player->videoArea()->size(); });
    return QApplication::exec();
}

int runLibvlc(const QString& file, bool full, QSize size, double seconds, bool pause)
{
    QWidget window;
    window.setAttribute(Qt::WA_NativeWindow);
    QPalette black = window.palette();
    black.setColor(QPalette::Window, Qt::black);
    window.setPalette(black);
    window.setAutoFillBackground(true);
    if (full) {
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(window.screen()->geometry());
        window.showFullScreen();
    } else {
        window.resize(size);
        window.show();
    }
    const char* argv[] = {"--quiet", "--no-xlib", "--no-osd", "--no-video-title-show", "--aout=adummy"};
    libvlc_instance_t* vlc = libvlc_new(int(std::size(argv)), argv);
    libvlc_media_player_t* mp = libvlc_media_player_new(vlc);
    libvlc_video_set_key_input(mp, 0);
    libvlc_video_set_mouse_input(mp, 0);
    libvlc_media_player_set_xwindow(mp, uint32_t(window.winId()));
    libvlc_media_t* media = libvlc_media_new_path(vlc, QFile::encodeName(file).constData());
    libvlc_media_player_set_media(mp, media);
    libvlc_media_player_play(mp);
    bool paused = false;
    measureWhen(
        [=, &paused] {
            if (paused)
                return libvlc_media_player_get_state(mp) == libvlc_Paused;
            unsigned w = 0, h = 0;
            const bool shown = libvlc_media_player_get_state(mp) == libvlc_Playing
                && libvlc_video_get_size(mp, 0, &w, &h) == 0 && w > 0;
            if (shown && pause) {
                libvlc_media_player_set_pause(mp, 1);
                paused = true;
                return false;
            }
            return shown;
        },
        seconds, [&window] { return window.size(); });
    const int code = QApplication::exec();
    libvlc_media_player_stop(mp);
    libvlc_media_release(media);
    libvlc_media_player_release(mp);
    libvlc_release(vlc);
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: %s player|libvlc|paused|audio FILE [--full] [--size WxH] [--seconds S]\n",
                     argv[0]);
        return 2;
    }
    const QString mode = args[1];
    const QString file = args[2];
    const bool full = args.contains(QStringLiteral("--full"));
    double seconds = 10;
    QSize size(286, 161);
    for (int i = 3; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--seconds"))
            seconds = args[i + 1].toDouble();
        if (args[i] == QLatin1String("--size")) {
            const QStringList wh = args[i + 1].split(QLatin1Char('x'));
            size = QSize(wh.value(0).toInt(), wh.value(1).toInt());
        }
    }
    if (mode == QLatin1String("libvlc") || mode == QLatin1String("libvlc-paused"))
        return runLibvlc(file, full, size, seconds, mode == QLatin1String("libvlc-paused"));
    return runPlayer(file, full, seconds, mode);
}

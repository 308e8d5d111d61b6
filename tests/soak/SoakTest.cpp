// A long session in one process: the main window with the real engine
// (libVLC, no sound card, no window) and the real CD control on a disc
// image. Media files of the seven types, good and damaged, are opened one
// after the other, CD mode is entered and left, the slideshow ticks. Idle
// memory, open file descriptors and threads at the end are compared with
// the same after the first hundred opens.
//
//   SORVAN_SOAK_OPENS  media files opened (300; 2000 for the full run)
//   SORVAN_SOAK_CD     CD mode enter/leave cycles (30; 200)
//   SORVAN_SOAK_TICKS  slideshow ticks (2000)
#include "engine/cdio/CdioDrive.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "engine/vlc/VlcMediaEngine.h"
#include "engine/DiscImage.h"
#include "engine/MediaMutator.h"
#include "engine/MediaTestFiles.h"
#include "support/Fakes.h"
#include "support/WaitFor.h"
#include "system/BackgroundTask.h"

#include "app/frmMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <malloc.h>

using State = MediaEngine::State;

namespace {

int setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

int entriesIn(const char* folder)
{
    return int(QDir(QString::fromLatin1(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

struct Usage {
    qint64 rssKb = 0;
    int fds = 0;
    int threads = 0;
};

// Memory in use once the allocator has handed back what it can.
Usage usageNow()
{
    malloc_trim(0);
    Usage usage;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                usage.rssKb = line.mid(6).trimmed().split(' ').value(0).toLongLong();
    usage.fds = entriesIn("/proc/self/fd");
    usage.threads = entriesIn("/proc/self/task");
    if (qEnvironmentVariableIsSet("SORVAN_SOAK_NAMES"))
        for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
            comm.open(QIODevice::ReadOnly);
            std::printf("  thread %s", comm.readAll().constData());
        }
    return usage;
}

// The seven types the open dialog offers, good and damaged.
QStringList makeMedia(const QString& folder)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    const QString tone = "sine=frequency=440:duration=1";
    const QString picture = "testsrc=size=160x120:rate=25:duration=1";
    const QList<std::pair<QString, QStringList>> made = {
        {"tune.mp3", {"-f", "lavfi", "-i", tone, "-c:a", "libmp3lame"}},
        {"clip.avi", {"-f", "lavfi", "-i", picture, "-f", "lavfi", "-i", tone, "-c:v", "mjpeg", "-c:a", "pcm_s16le"}},
        {"clip.mpeg", {"-f", "lavfi", "-i", picture, "-f", "lavfi", "-i", tone, "-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob"}},
        {"clip.mpg", {"-f", "lavfi", "-i", picture, "-f", "lavfi", "-i", tone, "-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"}},
        {"movie.mov", {"-f", "lavfi", "-i", picture, "-f", "lavfi", "-i", tone, "-c:v", "mjpeg", "-c:a", "pcm_s16le"}},
    };
    QStringList paths;
    auto add = [&](const QString& name, const QByteArray& bytes) {
        QFile file(QDir(folder).filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        paths << file.fileName();
    };
    add("tone.wav", mediatest::sineWav(1.0));
    add("song.mid", mediatest::smallMidi());
    for (const auto& [name, arguments] : made) {
        QProcess make;
        make.start(ffmpeg, QStringList{"-v", "error", "-y"} + arguments + QStringList{QDir(folder).filePath(name)});
        make.waitForFinished(60000);
        paths << QDir(folder).filePath(name);
    }
    // A damaged copy of each: cut in half, and with its header zeroed.
    std::mt19937_64 random(7);
    for (const QString& path : QStringList(paths)) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        add("cut-" + QFileInfo(path).fileName(), bytes.left(bytes.size() / 2));
        add("zeroed-" + QFileInfo(path).fileName(), mediatest::mutate(bytes, mediatest::Mutation::ZeroHeader, random));
    }
    return paths;
}

class Session {
public:
    explicit Session(const QString& cue)
    {
        QDir().mkpath(m_folder);
        for (const char* name : {"A.jpg", "Girl.jpg", "Rose.jpg", "Z.jpg"})
            QImage(320, 240, QImage::Format_RGB32).save(QDir(m_folder).filePath(name), "JPG");
        Platform platform;
        platform.dialogs = &dialogs;
        platform.messages = &messages;
        platform.mediaEngines = [] { return makeVlcMediaEngine({"--aout=adummy", "--vout=vdummy"}); };
        platform.cdDrives = [cue](const QString&) { return openCdioDrive(cue); };
        platform.clock = [] { return QDateTime::currentDateTime(); };
        platform.programFolder = [this] { return m_folder; };
        form = std::make_unique<frmMain>(platform);
        form->Form_Load();
        QObject::connect(form->MediaPlayer1, &MediaPlayer::engineStateChanged, [this](State s) {
            last = s;
            if (s == State::Playing || s == State::Ended || s == State::Error)
                outcome = s;
        });
    }

    // Opens a file through the dialog and waits until it plays, ends or is refused.
    bool open(const QString& path)
    {
        dialogs.openRequests.clear();  // the fake's record would read as growth
        dialogs.choose(path);
        outcome = State::Empty;
        form->mnuFileOpen_Click();
        return waitFor([this] { return outcome != State::Empty; }, 10000);
    }
    // Waits for the end of what plays.
    void playToEnd()
    {
        waitFor([this] { return last == State::Ended || last == State::Error; }, 10000);
    }

    bool cdCycle()
    {
        form->mnuCD_Click();
        MMControl* cd = form->MMControl1;
        const bool opened = waitFor([cd] { return cd->status() == MMControl::Status::Stopped; }, 10000);
        cd->play();
        const bool played = waitFor([cd] { return cd->engine() && cd->status() == MMControl::Status::Playing; }, 10000);
        form->mnuCDEnd_Click();
        return opened && played;
    }

    // The session's idle state, reached the same way each time: the same
    // short files played to their end (libVLC keeps the last video output for
    // the next video, and its pictures with it), the list closed, the player
    // at rest, and no more threads and descriptors than atMost says, if they
    // get there (helper threads end on their own).
    Usage idle(const QStringList& restFiles, const Usage& atMost)
    {
        for (const QString& file : restFiles) {
            open(file);
            playToEnd();
        }
        form->mnuListClose_Click();
        waitFor([this] { return last != State::Playing && last != State::Opening; }, 10000);
        waitFor([atMost] {
            return entriesIn("/proc/self/task") <= atMost.threads && entriesIn("/proc/self/fd") <= atMost.fds;
        }, 10000);
        return usageNow();
    }

    QString m_folder = QDir::temp().filePath(QStringLiteral("sorvan-soak-%1").arg(QCoreApplication::applicationPid()));
    FakeFileDialogs dialogs;
    FakeMessageBoxes messages;
    std::unique_ptr<frmMain> form;
    State last = State::Empty;     // the player's state now
    State outcome = State::Empty;  // playing, ended or refused, for the last open
};

} // namespace

TEST(Soak, ALongSessionLeavesNoMemoryDescriptorOrThreadBehind)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    // One heap for every thread: libVLC starts threads for every medium, and
    // memory left free in their own heaps would read as growth.
    mallopt(M_ARENA_MAX, 1);
    // Idle pool threads go at once instead of after half a minute, so that a
    // thread count at rest is one of threads that are really left over.
    QThreadPool::globalInstance()->setExpiryTimeout(100);
    leavablePool().setExpiryTimeout(100);
    const int opens = std::max(100, setting("SORVAN_SOAK_OPENS", 300));
    const int cdCycles = std::max(1, setting("SORVAN_SOAK_CD", 30));
    const int ticks = setting("SORVAN_SOAK_TICKS", 2000);
    QTemporaryDir dir;
    const QStringList media = makeMedia(dir.path());
    DiscImage disc;
    const Usage quiet = usageNow();  // before any engine
    QElapsedTimer clock;
    clock.start();
    {
        Session session(disc.cue);
        const QStringList rest = {media[3], media[0]};  // clip.avi, tone.wav
        int cdFailures = 0, tick = 0, cycle = 0;
        QStringList stuck;
        auto doOpen = [&](int i) {
            if (!session.open(media[i % media.size()]))
                stuck << QFileInfo(media[i % media.size()]).fileName();
        };
        // Warm up every part once: a hundred opens, one CD cycle, a few ticks.
        for (int i = 0; i < 100; ++i)
            doOpen(i);
        cdFailures += session.cdCycle() ? 0 : 1;
        ++cycle;
        for (; tick < 100 && tick < ticks; ++tick)
            session.form->Timer1_Timer();
        // At rest the player keeps its engine, and the engine its worker thread.
        const Usage before = session.idle(rest, Usage{0, quiet.fds, quiet.threads + 1});

        for (int i = 100; i < opens; ++i) {
            doOpen(i);
            // Spread the CD cycles and the ticks over the session.
            for (; cycle < 1 + qint64(cdCycles - 1) * (i - 99) / (opens - 100); ++cycle)
                cdFailures += session.cdCycle() ? 0 : 1;
            for (; tick < 100 + qint64(ticks - 100) * (i - 99) / (opens - 100); ++tick)
                session.form->Timer1_Timer();
            if (i % 100 == 99) {
                const Usage now = session.idle(rest, before);
                std::printf("[ soak    ] after %d opens: %lld kB, %d descriptors, %d threads\n", i + 1,
                            static_cast<long long>(now.rssKb), now.fds, now.threads);
            }
        }
        const Usage after = session.idle(rest, before);
        std::printf("[ soak    ] %d opens, %d CD cycles, %d ticks in %lld s\n", opens, cycle, tick,
                    static_cast<long long>(clock.elapsed() / 1000));
        std::printf("[ soak    ] before any engine: %d descriptors, %d threads\n", quiet.fds, quiet.threads);
        std::printf("[ soak    ] idle memory %lld kB -> %lld kB, descriptors %d -> %d, threads %d -> %d\n",
                    static_cast<long long>(before.rssKb), static_cast<long long>(after.rssKb), before.fds, after.fds,
                    before.threads, after.threads);
        EXPECT_TRUE(stuck.isEmpty()) << "never played, ended or were refused: " << stuck.join(", ").toStdString();
        EXPECT_EQ(cdFailures, 0) << "CD cycles that did not open or play the disc";
#ifndef __SANITIZE_ADDRESS__  // AddressSanitizer holds freed memory back; its leak check stands in
        EXPECT_LE(after.rssKb - before.rssKb, 5 * 1024);
#endif
        EXPECT_LE(after.fds, before.fds);
        EXPECT_LE(after.threads, before.threads);
        QDir(session.m_folder).removeRecursively();
    }
}

// A medium whose reads block until the test lets them go (a scratched disc, a
// stalled stream): replacing it, closing the CD device and destroying the
// engine or the CD control as at quit all return at once on the GUI thread,
// and the engine's worker ends by itself once the read comes back.
#include "controls/cdplayer/MMControl.h"
#include "engine/vlc/VlcMediaEngine.h"
#include "engine/MediaTestFiles.h"
#include "support/WaitFor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace {

// Blocks every read until released; a read that gives up by itself after a
// long while (so that a faulty engine fails the test instead of hanging it)
// is recorded.
class Stall {
public:
    // Blocks; false once released, or after the give-up time.
    void block()
    {
        std::unique_lock lock(m_mutex);
        m_entered = true;
        if (neverGiveUp)
            m_wake.wait(lock, [this] { return m_released; });
        else if (!m_wake.wait_for(lock, std::chrono::seconds(10), [this] { return m_released; }))
            m_gaveUp = true;
    }
    void release()
    {
        {
            std::lock_guard lock(m_mutex);
            m_released = true;
        }
        m_wake.notify_all();
    }
    // Never gives up: for a process that ends while the read still blocks.
    bool neverGiveUp = false;
    bool entered()
    {
        std::lock_guard lock(m_mutex);
        return m_entered;
    }
    bool gaveUp()
    {
        std::lock_guard lock(m_mutex);
        return m_gaveUp;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_entered = false;
    bool m_released = false;
    bool m_gaveUp = false;
};

class StalledStream final : public MediaStream {
public:
    explicit StalledStream(std::shared_ptr<Stall> stall) : m_stall(std::move(stall)) {}
    quint64 size() const override { return 1'000'000; }
    qint64 read(char*, qint64) override
    {
        m_stall->block();
        return -1;
    }
    bool seek(quint64) override { return true; }

private:
    std::shared_ptr<Stall> m_stall;
};

class StalledDrive final : public CdDrive {
public:
    explicit StalledDrive(std::shared_ptr<Stall> stall) : m_stall(std::move(stall)) {}
    QList<Track> tracks() const override { return {Track{1, 0, 2000}}; }
    bool readAudioSectors(void*, qint32, qint32) override
    {
        m_stall->block();
        return false;
    }
    bool eject() override { return false; }

private:
    std::shared_ptr<Stall> m_stall;
};

QStringList fileOutput(const QString& file)
{
    return {QStringLiteral("--aout=afile"), QStringLiteral("--audiofile-file=") + file, QStringLiteral("--vout=vdummy")};
}

// What plays the stalled medium, and the step under test.
struct Player {
    std::unique_ptr<MediaEngine> engine;
    std::unique_ptr<MMControl> control;
};

struct Case {
    const char* name;
    bool throughCdControl;
    std::function<void(Player&, const QString& otherFile)> step;
};

TEST(BlockingMedium, NothingOnTheGuiThreadWaitsForIt)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("tone.wav"));
    {
        QFile out(wav);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(mediatest::sineWav(0.2));
    }
    const QList<Case> cases = {
        {"replacing it", false, [](Player& p, const QString& other) { p.engine->open(other); }},
        {"destroying the engine", false, [](Player& p, const QString&) { p.engine.reset(); }},
        {"closing the CD device", true,
         [](Player& p, const QString&) {
             p.control->setVisible(false);
             p.control->setCommand(QStringLiteral("Close"));
         }},
        {"destroying the CD control", true, [](Player& p, const QString&) { p.control.reset(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString out = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".wav"));
        auto stall = std::make_shared<Stall>();
        Player player;
        if (c.throughCdControl) {
            player.control = std::make_unique<MMControl>(
                [stall](const QString&) { return std::make_unique<StalledDrive>(stall); },
                [out] { return makeVlcMediaEngine(fileOutput(out)); });
            player.control->setDeviceType(QStringLiteral("CDAudio"));
            player.control->setCommand(QStringLiteral("Open"));
            ASSERT_TRUE(waitFor([&] { return player.control->isOpen(); }));
            player.control->play();
        } else {
            player.engine = makeVlcMediaEngine(fileOutput(out));
            player.engine->openStream(std::make_shared<StalledStream>(stall));
        }
        ASSERT_TRUE(waitFor([&] { return stall->entered(); })) << "the medium was never read";

        QElapsedTimer clock;
        clock.start();
        c.step(player, wav);
        player.engine.reset();  // as at quit
        player.control.reset();
        const qint64 ms = clock.nsecsElapsed() / 1000;
        ::testing::Test::RecordProperty(c.name, std::to_string(ms) + " us");
        EXPECT_LT(ms, 50'000) << "the GUI thread waited " << ms << " us";

        EXPECT_GE(runningVlcWorkers(), 1) << "the worker is still held by the read";
        // Only now does the read come back: had anything above waited for
        // the stop, the read would have given up by itself first.
        stall->release();
        EXPECT_FALSE(stall->gaveUp());
        EXPECT_TRUE(waitFor([] { return runningVlcWorkers() == 0; }))
            << "a worker never let go of libVLC";
    }
}

// Run as a child process of the test below: ends while the engine's worker
// is held by a read that never comes back.
constexpr char kChildSwitch[] = "SORVAN_STALLED_AT_EXIT";

TEST(BlockingMedium, ChildEndsWhileItsWorkerIsStalled)
{
    if (!qEnvironmentVariableIsSet(kChildSwitch))
        GTEST_SKIP() << "run by ProcessEndsPromptlyWhileAWorkerIsStalled";
    auto stall = std::make_shared<Stall>();
    stall->neverGiveUp = true;
    QTemporaryDir dir;
    auto engine = makeVlcMediaEngine(fileOutput(dir.filePath(QStringLiteral("out.wav"))));
    engine->openStream(std::make_shared<StalledStream>(stall));
    ASSERT_TRUE(waitFor([&] { return stall->entered(); }));
    engine.reset();
    ASSERT_EQ(runningVlcWorkers(), 1);
}

TEST(BlockingMedium, ProcessEndsPromptlyWhileAWorkerIsStalled)
{
    if (qEnvironmentVariableIsSet(kChildSwitch))
        GTEST_SKIP();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildSwitch), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=BlockingMedium.ChildEndsWhileItsWorkerIsStalled")});
    // A bound, not a measure: a process that waited for its stalled worker
    // would never end.
    const bool ended = child.waitForFinished(20000);
    if (!ended)
        child.kill();
    const QByteArray output = child.readAll();
    ASSERT_TRUE(ended) << "the process waited for its stalled worker\n" << output.constData();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.constData();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
}

} // namespace

// The libVLC engine playing real media to a WAV file (libVLC's file audio
// output), offscreen. These tests wait for real playback, always with a bound.

#include "engine/vlc/VlcMediaEngine.h"
#include "engine/MediaTestFiles.h"
#include "support/SystemCalls.h"
#include "system/SystemCalls.h"
#include "support/WaitFor.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <mutex>

using State = MediaEngine::State;
using Problem = MediaEngine::Problem;

namespace {

// Everything an engine reported, in order.
struct Reports {
    QList<State> states;
    QList<Problem> problems;
    QList<qint64> durations;
    QList<QSize> videoSizes;
    qint64 lastPosition = -1;

    Reports() = default;
    explicit Reports(MediaEngine& engine)
    {
        QObject::connect(&engine, &MediaEngine::stateChanged, [this](State s) { states << s; });
        QObject::connect(&engine, &MediaEngine::problem, [this](Problem p) { problems << p; });
        QObject::connect(&engine, &MediaEngine::durationChanged, [this](qint64 ms) { durations << ms; });
        QObject::connect(&engine, &MediaEngine::videoSizeChanged, [this](QSize s) { videoSizes << s; });
        QObject::connect(&engine, &MediaEngine::positionChanged, [this](qint64 ms) { lastPosition = ms; });
    }
    int count(State s) const { return int(states.count(s)); }
    bool finished() const { return states.contains(State::Ended) || states.contains(State::Error); }
    void clear() { *this = Reports(); }
};

// A WAV held in memory, served the way the CD control serves its sectors.
class MemoryStream final : public MediaStream {
public:
    explicit MemoryStream(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    quint64 size() const override { return quint64(m_bytes.size()); }
    qint64 read(char* buffer, qint64 len) override
    {
        std::lock_guard lock(m_mutex);
        const qint64 n = qMin(len, qint64(m_bytes.size()) - m_offset);
        if (n <= 0)
            return 0;
        std::memcpy(buffer, m_bytes.constData() + m_offset, size_t(n));
        m_offset += n;
        return n;
    }
    bool seek(quint64 offset) override
    {
        std::lock_guard lock(m_mutex);
        if (offset > quint64(m_bytes.size()))
            return false;
        m_offset = qint64(offset);
        return true;
    }

private:
    QByteArray m_bytes;
    std::mutex m_mutex;
    qint64 m_offset = 0;
};

class VlcMediaEngineTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    }
    QString output() const { return file(QStringLiteral("out.wav")); }

    // Destroys the engine and waits until its worker has closed the output.
    static void letGo(std::unique_ptr<MediaEngine>& engine)
    {
        engine.reset();
        EXPECT_TRUE(waitFor([] { return runningVlcWorkers() == 0; }));
    }

    std::unique_ptr<MediaEngine> makeEngine(QStringList extra = {}) const
    {
        extra << QStringLiteral("--aout=afile") << QStringLiteral("--audiofile-file=") + output()
              << QStringLiteral("--vout=vdummy");
        return makeVlcMediaEngine(extra);
    }

    // Plays the medium to its end on an engine of its own and measures what
    // came out once the engine has closed the output file.
    mediatest::Sound playToEnd(const std::function<void(MediaEngine&)>& open, Reports* seen = nullptr)
    {
        auto engine = makeEngine();
        Reports reports(*engine);
        open(*engine);
        EXPECT_TRUE(waitFor([&] { return reports.finished(); }));
        EXPECT_EQ(reports.count(State::Ended), 1);
        EXPECT_TRUE(reports.problems.isEmpty());
        letGo(engine);
        if (seen)
            *seen = reports;
        const auto sound = mediatest::measureWav(output());
        EXPECT_TRUE(sound.has_value());
        return sound.value_or(mediatest::Sound{});
    }

    QTemporaryDir m_dir;
};

TEST_F(VlcMediaEngineTest, WavPlaysOnceAndPlayStartsItAgainFromTheBeginning)
{
    const QString wav = write(QStringLiteral("tone.wav"), mediatest::sineWav(1.0));
    auto engine = makeEngine();
    Reports reports(*engine);
    engine->open(wav);
    ASSERT_TRUE(waitFor([&] { return reports.finished(); }));
    EXPECT_TRUE(reports.problems.isEmpty());
    ASSERT_EQ(reports.count(State::Ended), 1);
    EXPECT_TRUE(reports.states.contains(State::Playing));
    ASSERT_FALSE(reports.durations.isEmpty());
    EXPECT_NEAR(reports.durations.last(), 1000, 100);

    // Stays at the end: nothing more happens until play is pressed.
    EXPECT_FALSE(waitFor([&] { return reports.states.last() != State::Ended; }, 300));
    engine->play();
    ASSERT_TRUE(waitFor([&] { return reports.count(State::Ended) == 2; }));
    EXPECT_GE(reports.count(State::Playing), 2);

    letGo(engine);
    const auto sound = mediatest::measureWav(output());
    ASSERT_TRUE(sound);
    EXPECT_NEAR(sound->rms, 0.354, 0.03);
    EXPECT_GT(sound->seconds, 0.9);
}

TEST_F(VlcMediaEngineTest, PauseHoldsAndSeekSkipsAhead)
{
    const QString wav = write(QStringLiteral("long.wav"), mediatest::sineWav(10.0));
    auto engine = makeEngine();
    Reports reports(*engine);
    engine->open(wav);
    ASSERT_TRUE(waitFor([&] { return reports.states.contains(State::Playing); }));
    engine->pause();
    ASSERT_TRUE(waitFor([&] { return reports.states.last() == State::Paused; }));
    engine->seek(9000);
    EXPECT_FALSE(waitFor([&] { return reports.states.last() != State::Paused; }, 300));
    engine->play();
    ASSERT_TRUE(waitFor([&] { return reports.finished(); }));
    EXPECT_EQ(reports.states.last(), State::Ended);

    // What came out is the start up to the pause and the last second, far
    // from the whole ten.
    letGo(engine);
    const auto sound = mediatest::measureWav(output());
    ASSERT_TRUE(sound);
    EXPECT_LT(sound->seconds, 7.0);
    EXPECT_GT(sound->seconds, 0.9);
}

TEST_F(VlcMediaEngineTest, MidiIsSynthesisedWithTheSoundfont)
{
    const QString midi = write(QStringLiteral("tune.mid"), mediatest::smallMidi());
    const auto sound = playToEnd([&](MediaEngine& e) { e.open(midi); });
    EXPECT_GT(sound.rms, 0.02);  // about 0.06 with TimGM6mb
    EXPECT_GT(sound.seconds, 1.0);
}

TEST_F(VlcMediaEngineTest, VideoReportsItsSizeAndPlaysItsSound)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    const QString avi = file(QStringLiteral("clip.avi"));
    QProcess make;
    make.start(ffmpeg, {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=10:duration=1.5",
                        "-f", "lavfi", "-i", "sine=frequency=440:duration=1.5", "-c:v", "mjpeg", "-c:a",
                        "pcm_s16le", avi});
    ASSERT_TRUE(make.waitForFinished(30000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().constData();

    Reports seen;
    const auto sound = playToEnd([&](MediaEngine& e) { e.open(avi); }, &seen);
    ASSERT_FALSE(seen.videoSizes.isEmpty());
    EXPECT_EQ(seen.videoSizes.last(), QSize(320, 240));
    EXPECT_NEAR(sound.rms, 0.088, 0.02);  // ffmpeg's sine has amplitude 1/8
}

// Every other ending the open dialog offers, made by ffmpeg as a real file of
// its kind: each plays with sound, and the video ones report their picture.
TEST_F(VlcMediaEngineTest, EveryOtherFileTypeOfTheDialogPlaysWithSound)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    struct Kind {
        const char* name;
        QStringList codecs;
        bool video;
    };
    const QList<Kind> kinds = {
        {"tune.mp3", {"-c:a", "libmp3lame", "-b:a", "128k"}, false},
        {"clip.mpg", {"-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"}, true},
        {"clip.mpeg", {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob"}, true},
        {"movie.mov", {"-c:v", "mjpeg", "-c:a", "pcm_s16le"}, true},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const QString path = file(QString::fromLatin1(kind.name));
        QStringList arguments = {"-v", "error", "-y"};
        if (kind.video)
            arguments << "-f" << "lavfi" << "-i" << "testsrc=size=320x240:rate=25:duration=1.5";
        arguments << "-f" << "lavfi" << "-i" << "sine=frequency=440:duration=1.5";
        arguments << kind.codecs << path;
        QProcess make;
        make.start(ffmpeg, arguments);
        ASSERT_TRUE(make.waitForFinished(60000));
        ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().constData();

        Reports seen;
        const auto sound = playToEnd([&](MediaEngine& e) { e.open(path); }, &seen);
        EXPECT_NEAR(sound.rms, 0.088, 0.025);  // ffmpeg's sine has amplitude 1/8
        EXPECT_GT(sound.seconds, 1.0);
        if (kind.video) {
            ASSERT_FALSE(seen.videoSizes.isEmpty());
            EXPECT_EQ(seen.videoSizes.last(), QSize(320, 240));
        }
    }
}

TEST_F(VlcMediaEngineTest, StreamServesAnInMemoryWav)
{
    auto stream = std::make_shared<MemoryStream>(mediatest::sineWav(1.0));
    const auto sound = playToEnd([&](MediaEngine& e) { e.openStream(stream); });
    EXPECT_NEAR(sound.rms, 0.354, 0.03);
    EXPECT_GT(sound.seconds, 0.9);
}

TEST_F(VlcMediaEngineTest, UnplayableInputsAreReportedWithoutHanging)
{
    QRandomGenerator random(7);
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);

    // A WAV whose samples are in an encoding nobody knows.
    QByteArray unknownEncoding = mediatest::sineWav(0.5);
    unknownEncoding[20] = '\x77';
    unknownEncoding[21] = '\x77';

    QStringList inputs = {
        write(QStringLiteral("unknown.wav"), unknownEncoding),
        write(QStringLiteral("noise.mp3"), noise),
        write(QStringLiteral("noise.mid"), noise),
        write(QStringLiteral("zeros.mid"), QByteArray(4096, '\0')),
        write(QStringLiteral("noise.avi"), noise),
        write(QStringLiteral("notes.mov"), QByteArray("This is a plain text file, not a film.\n").repeated(50)),
        write(QStringLiteral("empty.wav"), {}),
        file(QStringLiteral("missing.wav")),
        file(QStringLiteral("folder.mp3")),
        file(QString(4000, QLatin1Char('a')) + QStringLiteral(".wav")),
    };
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.mp3"));
    // A subtitle beside them gives libVLC a track, but none of the medium.
    write(QStringLiteral("noise.srt"), "1\n00:00:00,000 --> 00:00:09,000\nx\n");
    const QString fifo = file(QStringLiteral("x.wav"));
    if (testsys::makeFifo(fifo))
        inputs << fifo;
    // A name whose bytes are not UTF-8 cannot reach the program as text
    // unchanged; what arrives must fail cleanly.
    const QByteArray rawName = QFile::encodeName(m_dir.path()) + "/\xff\xfe.wav";
    const QByteArray wav = mediatest::sineWav(0.2);
    if (testsys::writeFileWithRawName(rawName, wav))
        inputs << QFile::decodeName(rawName);
    if (!sys::runningAsSuperuser()) {  // root reads any file
        const QString locked = write(QStringLiteral("locked.wav"), wav);
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        inputs << locked;
    }

    // One engine for all: an input that hung its worker would leave every
    // later one unanswered.
    auto engine = makeEngine();
    Reports reports(*engine);
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.left(80).toStdString());
        reports.clear();
        engine->open(input);
        ASSERT_TRUE(waitFor([&] { return reports.finished(); }));
        EXPECT_EQ(reports.problems, QList<Problem>{Problem::Unplayable});
        EXPECT_EQ(reports.count(State::Ended), 0);
        // libVLC's own stop after its error must not turn the medium back
        // into one that merely stopped.
        EXPECT_FALSE(waitFor([&] { return reports.states.last() != State::Error; }, 200))
            << "then " << QDebug::toString(reports.states.last()).toStdString();
    }
#ifdef Q_OS_UNIX
    ::unlink(rawName.constData());  // beyond what the temporary folder can name
#endif
}

TEST_F(VlcMediaEngineTest, MidiWithoutSoundfontIsReportedAndOtherFilesStillPlay)
{
    const QString midi = write(QStringLiteral("tune.mid"), mediatest::smallMidi());
    const QString wav = write(QStringLiteral("tone.wav"), mediatest::sineWav(0.3));
    auto engine = makeEngine({QStringLiteral("--soundfont=") + file(QStringLiteral("none.sf2"))});
    Reports reports(*engine);
    engine->open(midi);
    ASSERT_TRUE(waitFor([&] { return reports.finished(); }));
    EXPECT_EQ(reports.problems, QList<Problem>{Problem::NoSoundfont});

    reports.clear();
    engine->open(wav);
    ASSERT_TRUE(waitFor([&] { return reports.finished(); }));
    EXPECT_TRUE(reports.problems.isEmpty());
    EXPECT_EQ(reports.count(State::Ended), 1);
}

// A soundfont file that is there but cannot be loaded leaves the MIDI track
// without a decoder: libVLC's own track information tells, not its log.
TEST_F(VlcMediaEngineTest, MidiWithAnUnusableSoundfontIsReported)
{
    const QString midi = write(QStringLiteral("tune.mid"), mediatest::smallMidi());
    const QString broken = write(QStringLiteral("broken.sf2"), QByteArray("not a soundfont\n").repeated(100));
    auto engine = makeEngine({QStringLiteral("--soundfont=") + broken});
    Reports reports(*engine);
    engine->open(midi);
    ASSERT_TRUE(waitFor([&] { return reports.finished(); }));
    EXPECT_EQ(reports.problems, QList<Problem>{Problem::NoSoundfont});
    EXPECT_EQ(reports.count(State::Ended), 0);
}

TEST_F(VlcMediaEngineTest, ANewMediumReplacesTheOneThatPlays)
{
    const QString longWav = write(QStringLiteral("long.wav"), mediatest::sineWav(5.0));
    const QString shortWav = write(QStringLiteral("short.wav"), mediatest::sineWav(0.4));
    const QString midi = write(QStringLiteral("tune.mid"), mediatest::smallMidi());
    auto engine = makeEngine();
    Reports reports(*engine);

    // Replaced while playing: only the second medium is heard of.
    engine->open(longWav);
    ASSERT_TRUE(waitFor([&] { return reports.states.contains(State::Playing); }));
    reports.clear();
    engine->open(shortWav);
    ASSERT_TRUE(waitFor([&] { return reports.finished(); }));
    EXPECT_EQ(reports.count(State::Ended), 1);
    EXPECT_TRUE(reports.problems.isEmpty());
    ASSERT_FALSE(reports.durations.isEmpty());
    for (qint64 ms : reports.durations)
        EXPECT_NEAR(ms, 400, 100);

    // Replaced before it even started: the same.
    reports.clear();
    engine->open(midi);
    engine->open(longWav);
    engine->open(shortWav);
    ASSERT_TRUE(waitFor([&] { return reports.finished(); }));
    EXPECT_EQ(reports.count(State::Ended), 1);
    ASSERT_FALSE(reports.durations.isEmpty());
    EXPECT_NEAR(reports.durations.last(), 400, 100);

    // Gone while a MIDI file plays (its stop is the slowest): no crash.
    reports.clear();
    engine->open(midi);
    ASSERT_TRUE(waitFor([&] { return reports.states.contains(State::Playing); }));
    engine.reset();
}

} // namespace

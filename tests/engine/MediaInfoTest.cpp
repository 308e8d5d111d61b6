// What the libVLC engine tells of a real medium (tracks, statistics) and how
// it plays at another speed, offscreen with libVLC's file audio output.

#include "engine/vlc/VlcMediaEngine.h"
#include "engine/MediaTestFiles.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using State = MediaEngine::State;
using Kind = MediaTrackInfo::Kind;

namespace {

class MediaInfoTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString output() const { return file(QStringLiteral("out.wav")); }
    std::unique_ptr<MediaEngine> makeEngine() const
    {
        return makeVlcMediaEngine({QStringLiteral("--aout=afile"), QStringLiteral("--audiofile-file=") + output(),
                                   QStringLiteral("--vout=vdummy")});
    }
    QTemporaryDir m_dir;
};

std::optional<MediaTrackInfo> trackOf(const MediaInfo& info, Kind kind)
{
    const auto it = std::find_if(info.tracks.cbegin(), info.tracks.cend(),
                                 [kind](const MediaTrackInfo& track) { return track.kind == kind; });
    return it == info.tracks.cend() ? std::nullopt : std::optional(*it);
}

TEST_F(MediaInfoTest, AGeneratedAviShowsItsRealSizeFrameRateCodecsAndCounts)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    const QString avi = file(QStringLiteral("clip.avi"));
    QProcess make;
    make.start(ffmpeg, {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=352x288:rate=25:duration=3", "-f",
                        "lavfi", "-i", "sine=frequency=440:sample_rate=22050:duration=3", "-c:v", "mpeg4", "-c:a",
                        "pcm_s16le", "-ac", "1", avi});
    ASSERT_TRUE(make.waitForFinished(30000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().constData();

    auto engine = makeEngine();
    QList<State> states;
    std::optional<MediaInfo> info;
    std::optional<MediaStatistics> stats;
    QObject::connect(engine.get(), &MediaEngine::stateChanged, [&](State s) { states << s; });
    QObject::connect(engine.get(), &MediaEngine::infoReady, [&](const MediaInfo& i) { info = i; });
    QObject::connect(engine.get(), &MediaEngine::statisticsReady, [&](const MediaStatistics& s) { stats = s; });
    engine->open(avi);
    ASSERT_TRUE(waitFor([&] { return states.contains(State::Playing); }));

    // The tracks, asked for until both are known.
    ASSERT_TRUE(waitFor([&] {
        if (info && info->tracks.size() >= 2)
            return true;
        engine->requestInfo();
        return false;
    }));
    const auto video = trackOf(*info, Kind::Video);
    const auto audio = trackOf(*info, Kind::Audio);
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(video->size, QSize(352, 288));
    EXPECT_NEAR(video->frameRate, 25.0, 0.01);
    EXPECT_TRUE(video->codec.contains(QStringLiteral("MPEG-4"))) << video->codec.toStdString();
    EXPECT_EQ(audio->channels, 1);
    EXPECT_EQ(audio->sampleRate, 22050);
    EXPECT_TRUE(audio->codec.contains(QStringLiteral("PCM"))) << audio->codec.toStdString();

    // The counts grow while it plays.
    ASSERT_TRUE(waitFor([&] {
        if (stats && stats->decodedVideo > 10 && stats->playedAudioBuffers > 0 && stats->inputKbps > 0)
            return true;
        engine->requestStatistics();
        return false;
    }));
    EXPECT_GE(stats->decodedVideo, stats->displayedPictures);

    // Nothing is told of a medium that no longer plays.
    ASSERT_TRUE(waitFor([&] { return states.contains(State::Ended); }));
    info.reset();
    engine->open(file(QStringLiteral("missing.avi")));
    engine->requestInfo();
    EXPECT_FALSE(waitFor([&] { return info.has_value(); }, 300));
}

TEST_F(MediaInfoTest, RateTwoEndsAFourSecondWavInAboutTwoSecondsAtItsOwnPitch)
{
    QFile wav(file(QStringLiteral("tone.wav")));
    ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
    wav.write(mediatest::sineWav(4.0));
    wav.close();

    auto engine = makeEngine();
    QList<State> states;
    QObject::connect(engine.get(), &MediaEngine::stateChanged, [&](State s) { states << s; });
    engine->setRate(2.0);
    engine->open(wav.fileName());
    ASSERT_TRUE(waitFor([&] { return states.contains(State::Ended) || states.contains(State::Error); }));
    ASSERT_TRUE(states.contains(State::Ended));
    engine.reset();  // the worker closes the output on its own thread
    ASSERT_TRUE(waitFor([] { return runningVlcWorkers() == 0; }));

    const auto sound = mediatest::measureWav(output());
    ASSERT_TRUE(sound);
    EXPECT_NEAR(sound->seconds, 2.0, 0.35);
    EXPECT_NEAR(sound->frequency, 440.0, 25.0);  // time-stretched, not sped up
    EXPECT_GT(sound->rms, 0.2);
}

} // namespace

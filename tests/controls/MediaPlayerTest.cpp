// The media player control with a fake engine: when the engine is made, what
// path it is given, how the control lays itself out for sound, pictures and
// messages, and how its bar drives the engine.

#include "support/MainWindowHarness.h"
#include "support/PlayerFixture.h"
#include "support/WaitFor.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Problem = MediaEngine::Problem;

class MediaPlayerTest : public PlayerFixture {
protected:
    int barHeight() const { return m_player->bar()->sizeHint().height(); }
};

TEST_F(MediaPlayerTest, TheEngineIsMadeOnTheFirstFileOnly)
{
    EXPECT_EQ(m_made, 0);
    EXPECT_EQ(m_player->engine(), nullptr);
    barChild("playPause")->click();  // nothing to play: no engine either
    // What the user chose meanwhile is the new engine's from the start.
    m_player->setVolume(40);
    m_player->setMuted(true);
    m_player->setRate(1.5);
    m_player->setRate(0);  // no speed of the table
    EXPECT_EQ(m_made, 0);

    m_player->setFileName(QStringLiteral("/music/a.wav"));
    m_player->setFileName(QStringLiteral("/music/b.mid"));
    EXPECT_EQ(m_made, 1);
    EXPECT_EQ(m_engine->commands.mid(0, 3), (QStringList{"volume 40", "mute", "rate 1.5"}));
    EXPECT_EQ(m_engine->opened, (QStringList{"/music/a.wav", "/music/b.mid"}));
    EXPECT_EQ(m_player->FileName(), QStringLiteral("/music/b.mid"));
}

TEST_F(MediaPlayerTest, AnIdleMainWindowHasNoPlayerEngine)
{
    MainWindowHarness harness;
    EXPECT_EQ(harness.playerEngine(), nullptr);
}

TEST_F(MediaPlayerTest, EveryNameIsALocalPathResolvedAgainstTheCurrentFolder)
{
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString here = QDir::currentPath();

    m_player->setFileName(QStringLiteral("Start.wav"));
    m_player->setFileName(QStringLiteral("http://x/y.mp3"));
    m_player->setFileName(QStringLiteral("screen://"));
    m_player->setFileName(QStringLiteral("sub/../tune.mid"));
    m_player->setFileName(QStringLiteral("/music/a b.mp3"));
    QDir::setCurrent(before);

    ASSERT_EQ(m_engine->opened.size(), 5);
    EXPECT_EQ(m_engine->opened[0], here + QStringLiteral("/Start.wav"));
    for (const QString& path : m_engine->opened.mid(1, 2)) {
        EXPECT_TRUE(path.startsWith(here + QLatin1Char('/'))) << path.toStdString();
        EXPECT_FALSE(path.contains(QStringLiteral("://"))) << path.toStdString();
    }
    EXPECT_EQ(m_engine->opened[3], here + QStringLiteral("/tune.mid"));
    EXPECT_EQ(m_engine->opened[4], QStringLiteral("/music/a b.mp3"));

    // No name: nothing to open, what plays stops.
    m_player->setFileName(QString());
    EXPECT_EQ(m_engine->opened.size(), 5);
    EXPECT_EQ(m_engine->commands.last(), QStringLiteral("stop"));
}

TEST_F(MediaPlayerTest, SoundShrinksToTheBarAndAPictureFitsTheRectangleWithItsShape)
{
    m_player->setFileName(QStringLiteral("/music/a.wav"));
    EXPECT_EQ(m_player->geometry(), QRect(kDesign.topLeft(), QSize(kDesign.width(), barHeight())));
    EXPECT_TRUE(m_player->videoArea()->isHidden());

    const QRect area(0, 0, kDesign.width(), kDesign.height() - barHeight());
    for (const QSize video : {QSize(640, 480), QSize(1920, 800), QSize(200, 400)}) {
        SCOPED_TRACE(testing::Message() << video.width() << "x" << video.height());
        m_engine->reportVideoSize(video);
        ASSERT_TRUE(waitFor([&] {
            const QRect now = m_player->videoArea()->geometry();
            return m_player->videoArea()->isVisible()
                && qAbs(double(now.width()) / now.height() - double(video.width()) / video.height()) < 0.02;
        }));
        EXPECT_EQ(m_player->geometry(), kDesign);
        const QRect shown = m_player->videoArea()->geometry();
        EXPECT_TRUE(m_player->videoArea()->isVisible());
        EXPECT_TRUE(area.contains(shown));
        EXPECT_TRUE(shown.width() == area.width() || shown.height() == area.height());
        EXPECT_NEAR(double(shown.width()) / shown.height(), double(video.width()) / video.height(), 0.02);
        EXPECT_LE(qAbs(shown.left() - (area.right() - shown.right())), 1);  // centred
        EXPECT_EQ(m_player->bar()->geometry().bottom(), kDesign.height() - 1);
    }

    m_player->setFileName(QStringLiteral("/music/b.mp3"));
    EXPECT_EQ(m_player->height(), barHeight());
    EXPECT_TRUE(m_player->videoArea()->isHidden());
}

TEST_F(MediaPlayerTest, AProblemIsToldInsideTheRectangleUntilTheNextFile)
{
    m_player->setFileName(QStringLiteral("/music/broken.mp3"));
    EXPECT_TRUE(m_player->message().isEmpty());
    m_engine->reportProblem(Problem::Unplayable);
    ASSERT_TRUE(waitFor([&] { return m_player->message() == QStringLiteral("このファイルは再生できません"); }));
    const auto* label = m_player->findChild<QLabel*>(QStringLiteral("message"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(m_player->geometry(), kDesign);
    EXPECT_TRUE(m_player->rect().contains(label->geometry()));
    EXPECT_FALSE(label->geometry().intersects(m_player->bar()->geometry()));

    m_player->setFileName(QStringLiteral("/music/tune.mid"));
    EXPECT_TRUE(m_player->message().isEmpty());
    m_engine->reportProblem(Problem::NoSoundfont);
    EXPECT_TRUE(waitFor([&] { return m_player->message() == QStringLiteral("MIDI の音色ファイルが見つかりません"); }));

    m_player->setFileName(QStringLiteral("/music/a.wav"));
    EXPECT_TRUE(m_player->message().isEmpty());
    EXPECT_EQ(m_player->height(), barHeight());
}

TEST_F(MediaPlayerTest, TheBarDrivesTheEngine)
{
    m_player->setFileName(QStringLiteral("/music/a.wav"));
    auto* playPause = barChild("playPause");
    auto* tracker = barChild<QSlider>("tracker");
    ASSERT_TRUE(playPause && tracker);
    auto lastCommand = [this] { return m_engine->commands.last(); };

    playPause->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("play"));
    m_engine->reportState(State::Playing);
    ASSERT_TRUE(waitFor([&] { return m_player->bar()->isPlaying(); }));
    playPause->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("pause"));
    m_engine->reportState(State::Paused);
    ASSERT_TRUE(waitFor([&] { return !m_player->bar()->isPlaying(); }));
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(m_player->videoArea(), &click);  // a click on the picture
    // It acts once no second click can follow.
    EXPECT_TRUE(waitFor([&] { return lastCommand() == QStringLiteral("play"); }));
    barChild("stop")->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("stop"));
    barChild<QSlider>("volume")->setValue(40);
    EXPECT_EQ(lastCommand(), QStringLiteral("volume 40"));
    barChild("mute")->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("mute"));

    // Dragging seeks once, on release; the engine's position waits meanwhile.
    m_engine->reportDuration(200000);
    m_engine->reportPosition(65000);
    EXPECT_TRUE(waitFor([&] { return m_player->bar()->timeText() == QStringLiteral("1:05 / 3:20"); }));
    EXPECT_EQ(MediaPlayerBar::formatTime((75 * 60 + 3) * 1000), QStringLiteral("75:03"));
    const qsizetype before = m_engine->commands.size();
    tracker->setSliderDown(true);
    tracker->setSliderPosition(150000);
    const int delivered = m_engine->reportsDelivered;
    m_engine->reportPosition(66000);
    ASSERT_TRUE(waitFor([&] { return m_engine->reportsDelivered == delivered + 1; }));
    EXPECT_EQ(tracker->value(), 150000);
    EXPECT_EQ(m_player->bar()->timeText(), QStringLiteral("2:30 / 3:20"));
    EXPECT_EQ(m_engine->commands.size(), before);
    tracker->setSliderDown(false);
    EXPECT_EQ(lastCommand(), QStringLiteral("seek 150000"));

    // Played to the end: the tracker stays there and play starts again.
    m_engine->reportState(State::Playing);
    m_engine->reportState(State::Ended);
    EXPECT_TRUE(waitFor([&] { return tracker->value() == 200000; }));
    EXPECT_EQ(m_player->bar()->timeText(), QStringLiteral("3:20 / 3:20"));
    playPause->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("play"));

    m_player->Stop();
    EXPECT_EQ(lastCommand(), QStringLiteral("stop"));
    m_player->setEnabled(false);
    EXPECT_FALSE(playPause->isEnabled());
    EXPECT_FALSE(tracker->isEnabled());
}

} // namespace

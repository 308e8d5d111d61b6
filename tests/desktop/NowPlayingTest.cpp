// What the desktop's player controls see of the window (the MPRIS service
// read directly, without a bus), step by step through the handlers with the
// fake engines: it follows what the players' sessions hold and which of them
// last started to sound, never the title line or the menus.
#include "controls/cdplayer/MMControl.h"
#include "controls/forms/ListBox.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "desktop/HandOver.h"
#include "desktop/MprisBinding.h"
#include "support/MainWindowHarness.h"
#include "support/WaitFor.h"
#include "system/FileNames.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <gtest/gtest.h>

using State = MediaEngine::State;

TEST(NowPlaying, TheDesktopSeesWhatLastStartedToSoundAndHowFarItPlayed)
{
    MainWindowHarness h;
    HandOver handOver(h.form());
    MprisBinding binding(h.form(), handOver, QDBusConnection(QStringLiteral("no bus")));
    MprisService& desktop = binding.service();
    auto drive = std::make_unique<FakeCdDrive>();
    for (int n = 1; n <= 2; ++n)
        drive->discTracks << CdDrive::Track{n, (n - 1) * 750, 750};
    h.nextCdDrive = std::move(drive);
    // A name whose bytes are not UTF-8: the desktop gets its bytes back.
    const QString film = sys::nameFromBytes(h.programFolder().toUtf8() + "/caf\xE9.avi");
    const QString filmTitle = film.mid(film.lastIndexOf(u'/') + 1);
    auto player = [&] { return h.playerEngine(); };
    FakeMediaEngine* cd = nullptr;

    struct Step {
        const char* what;
        std::function<void()> act;
        const char* status;  // PlaybackStatus afterwards
        QString title;       // xesam:title
        qint64 positionUs;
        const char* playerCommand = nullptr;  // the media engine's last command
    };
    const Step steps[] = {
        {"a video opened from the dialog plays",
         [&] {
             h.dialogs.choose(film);
             h->mnuFileOpen_Click();
             player()->reportState(State::Playing);
             player()->reportDuration(60000);
             player()->reportPosition(1000);
         },
         "Playing", filmTitle, 1000000},
        {"saved as a list, it plays on and says so",
         [&] {
             h.dialogs.choose(h.inProgramFolder("a.lst"));
             h->mnuListNewSave_Click();
         },
         "Playing", filmTitle, 1000000},
        {"Pause from the desktop reaches it", [&] { desktop.pause(); }, "Playing", filmTitle, 1000000, "pause"},
        {"the start sound of CD mode is no medium: the disc is shown",
         [&] {
             player()->reportState(State::Paused);
             h->mnuFileOpen_Click();  // cancelled: the CD menu is offered again
             h->mnuCD_Click();
             ASSERT_TRUE(waitFor([&] { return h->MMControl1->isOpen(); }));
             player()->reportState(State::Playing);
         },
         "Stopped", "トラック 1", 0},
        {"the disc plays",
         [&] {
             desktop.play();
             cd = h.lastEngine();
             cd->reportState(State::Playing);
             cd->reportPosition(1500);
         },
         "Playing", "トラック 1", 1500000},
        {"its position grows", [&] { cd->reportPosition(2500); }, "Playing", "トラック 1", 2500000},
        {"an entry picked from the list plays over it",
         [&] {
             h->List2->setListIndex(0);
             h->List2_Click();
             player()->reportState(State::Playing);
             player()->reportPosition(3000);
         },
         "Playing", filmTitle, 3000000},
        {"the CD control's next track sounds last",
         [&] {
             h->MMControl1->nextTrack();
             cd->reportState(State::Opening);
             cd->reportState(State::Playing);
         },
         "Playing", "トラック 2", 0},
        {"out of CD mode the media player is shown again", [&] { h->mnuCDEnd_Click(); }, "Playing", filmTitle,
         3000000},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        QCoreApplication::processEvents();
        EXPECT_EQ(desktop.playbackStatus(), step.status);
        EXPECT_EQ(desktop.metadata().value("xesam:title").toString(), step.title);
        EXPECT_EQ(desktop.positionMicroseconds(), step.positionUs);
        EXPECT_TRUE(desktop.canPlay() && desktop.canPause());
        if (step.playerCommand)
            EXPECT_EQ(player()->commands.last(), step.playerCommand);
        if (step.title == filmTitle)
            EXPECT_TRUE(desktop.metadata().value("xesam:url").toString().endsWith("/caf%E9.avi"));
    }
}

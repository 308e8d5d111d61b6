// Opening a media file through the dialog and playing a play-list entry.
#include "controls/forms/ClickableFrame.h"
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "support/HandlerSteps.h"
#include "support/MainWindowHarness.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <gtest/gtest.h>

namespace {
// newSave, reSave, del, cdPlayer, list, fileOpen
QList<bool> menus(frmMain& f)
{
    return enabledMenus({f.mnuListNewSave, f.mnuListReSave, f.mnuListDelete, f.mnuCdPlayer, f.mnuList, f.mnuFileOpen});
}
} // namespace

TEST(OpenMediaFile, PlaysAppendsAndSwitchesTheMenus)
{
    MainWindowHarness h;
    const QString path = h.writeFile("music/a b.mp3", "x");
    addMedia(h, path);

    ASSERT_EQ(h.dialogs.openRequests.size(), 1);
    const FileDialogRequest& asked = h.dialogs.openRequests[0];
    EXPECT_EQ(asked.initDir, h.programFolder());
    EXPECT_EQ(asked.title, "MID WAV AVI MP3");
    EXPECT_EQ(asked.filter, "Music File(*.mid);(*.wav);(*.mp3)|*.mid;*.wav;*.mp3|"
                            "Video File(*.avi);(*.mpeg);(*.mpg);(*.mov)|*.avi;*.mpeg;*.mpg;*.mov");

    EXPECT_FALSE(h->MediaPlayer1->isHidden());
    EXPECT_TRUE(h->MediaPlayer1->isEnabled());
    EXPECT_EQ(h->MediaPlayer1->FileName(), path);
    ASSERT_NE(h.playerEngine(), nullptr);
    EXPECT_EQ(h.playerEngine()->opened, QStringList{path});
    EXPECT_EQ(h->List1->entries(), QStringList{path});
    EXPECT_EQ(h->List2->entries(), QStringList{"a b.mp3"});
    EXPECT_EQ(h->Label2->text(), "a b.mp3");
    EXPECT_EQ(h->PlayFile, "a b.mp3");
    EXPECT_FALSE(h->Image1->isHidden());
    EXPECT_TRUE(h->MMControl1->isHidden());
    EXPECT_EQ(menus(h.form()), (QList<bool>{true, true, true, false, true, true}));
    EXPECT_EQ(h->List2->ListIndex(), -1) << "the new entry is not selected";
    EXPECT_TRUE(h.messages.shown.isEmpty());
}

TEST(OpenMediaFile, VideoHidesTheBackgroundPictureAudioShowsIt)
{
    MainWindowHarness h;
    for (auto [name, video] : {std::pair{"clip.MPEG", true}, {"clip.avi", true}, {"movie.mov", true},
                               {"clip.Mpeg", true}, {"tune.mp3", false}, {"a.mid", false}}) {
        addMedia(h, h.writeFile(name, "x"));
        EXPECT_EQ(h->Image1->isHidden(), video) << name;
    }
}

TEST(OpenMediaFile, CancelChangesOnlyFourMenuItems)
{
    MainWindowHarness h;
    addMedia(h, h.writeFile("one.wav", "x"));
    h->List2->setListIndex(0);
    h.dialogs.cancel();
    h->mnuFileOpen_Click();

    EXPECT_EQ(h->List1->ListCount(), 1);
    EXPECT_EQ(h->List2->ListCount(), 1);
    EXPECT_EQ(h->Label2->text(), "one.wav");
    EXPECT_FALSE(h->MediaPlayer1->isHidden());
    EXPECT_EQ(h.playerEngine()->opened.size(), 1) << "the player is not touched";
    // Save-as is off and the CD menu on, although the list holds an entry.
    EXPECT_EQ(menus(h.form()), (QList<bool>{false, true, true, true, true, true}));
}

TEST(OpenMediaFile, CancelAtStartUp)
{
    MainWindowHarness h;
    h.dialogs.cancel();
    h->mnuFileOpen_Click();
    EXPECT_EQ(menus(h.form()), (QList<bool>{false, false, false, true, true, true}));
    EXPECT_TRUE(h->MediaPlayer1->isHidden());
    EXPECT_TRUE(h.engines.empty());
}

TEST(OpenMediaFile, TheDialogStartsWithTheFileChosenLast)
{
    MainWindowHarness h;
    const QString first = h.writeFile("first.wav", "x");
    addMedia(h, first);
    h.dialogs.cancel();
    h->mnuFileOpen_Click();
    EXPECT_EQ(h.dialogs.openRequests[0].fileName, "");
    EXPECT_EQ(h.dialogs.openRequests[1].fileName, first);
}

TEST(OpenMediaFile, SameFileTwiceGivesTwoEntries)
{
    MainWindowHarness h;
    const QString path = h.writeFile("same.wav", "x");
    addMedia(h, path);
    addMedia(h, path);
    EXPECT_EQ(h->List1->entries(), (QStringList{path, path}));
    EXPECT_EQ(h->List2->entries(), (QStringList{"same.wav", "same.wav"}));
    EXPECT_EQ(h.playerEngine()->opened, (QStringList{path, path}));
}

TEST(OpenMediaFile, AddIsTheSameCommand)
{
    MainWindowHarness h;
    const QString path = h.writeFile("added.mid", "x");
    h.dialogs.choose(path);
    h->mnuHenAdd_Click();
    ASSERT_EQ(h.dialogs.openRequests.size(), 1);
    EXPECT_EQ(h.dialogs.openRequests[0].title, "MID WAV AVI MP3");
    EXPECT_EQ(h->List1->entries(), QStringList{path});
    EXPECT_EQ(h->Label2->text(), "added.mid");
    EXPECT_EQ(h.playerEngine()->opened, QStringList{path});
}

TEST(PlayListEntry, SameNameFromTwoFoldersPlaysEachItsOwnFile)
{
    MainWindowHarness h;
    const QString a = h.writeFile("one/song.mp3", "x");
    const QString b = h.writeFile("two/song.mp3", "x");
    addMedia(h, a);
    addMedia(h, b);
    const QList<bool> before = menus(h.form());

    h->List2->setListIndex(0);
    h->List2_Click();
    EXPECT_EQ(h.playerEngine()->opened.last(), a);
    EXPECT_EQ(h->ListNo, 0);
    EXPECT_EQ(h->PlayFile, a) << "the full path, here";
    EXPECT_EQ(h->Label2->text(), "song.mp3");

    h->List2->setListIndex(1);
    h->List2_Click();
    EXPECT_EQ(h.playerEngine()->opened.last(), b);
    EXPECT_EQ(h->ListNo, 1);
    EXPECT_EQ(menus(h.form()), before) << "picking an entry changes no menu";
}

TEST(PlayListEntry, LayoutFollowsTheEntrysName)
{
    MainWindowHarness h;
    for (const char* name : {"movie.mov", "CLIP.MPG", "tune.wav"})
        addMedia(h, h.writeFile(name, "x"));
    const std::vector<bool> hidden{true, true, false};
    for (int i = 0; i < 3; ++i) {
        h->List2->setListIndex(i);
        h->List2_Click();
        EXPECT_EQ(h->Image1->isHidden(), hidden[i]) << i;
    }
}

TEST(PlayListEntry, ShowsAHiddenPlayerAndLeavesTheListAlone)
{
    MainWindowHarness h;
    addMedia(h, h.writeFile("gone.wav", "x"));
    h->MediaPlayer1->setVisible(false);
    h->MediaPlayer1->setEnabled(false);
    h->List2->setListIndex(0);
    h->List2_Click();
    EXPECT_FALSE(h->MediaPlayer1->isHidden());
    EXPECT_TRUE(h->MediaPlayer1->isEnabled());
    EXPECT_EQ(h->List1->ListCount(), 1);
    EXPECT_EQ(h->List2->ListIndex(), 0) << "the selection stays on the picked entry";
}

TEST(PlayListEntry, ArrowKeysRaiseTheClickEventButTheProgramDoesNot)
{
    MainWindowHarness h;
    for (const char* name : {"1.wav", "2.wav", "3.wav"})
        addMedia(h, h.writeFile(name, "x"));
    const qsizetype opened = h.playerEngine()->opened.size();
    h->List2->setListIndex(0);  // the program selecting raises nothing
    EXPECT_EQ(h.playerEngine()->opened.size(), opened);

    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(h->List2, &down);
    EXPECT_EQ(h.playerEngine()->opened.last(), h->List1->List(1));
    QCoreApplication::sendEvent(h->List2, &down);
    EXPECT_EQ(h.playerEngine()->opened.last(), h->List1->List(2));
    EXPECT_EQ(h.playerEngine()->opened.size(), opened + 2);
}

TEST(PlayListEntry, ClickOnTheThinBarDoesNothing)
{
    MainWindowHarness h;
    h->Picture2_Click();
    EXPECT_TRUE(h.engines.empty());
    EXPECT_TRUE(h->MediaPlayer1->isHidden());
}

TEST(OpenMediaFile, ANameWithALineBreakIsRefusedAtTheDoor)
{
    for (const char* name : {"a\nb.mp3", "a\rb.wav", "a\r\nb.mid"}) {
        SCOPED_TRACE(QByteArray(name).toPercentEncoding().constData());
        MainWindowHarness h;
        h.dialogs.choose(h.writeFile("one.wav", "x"));
        h->mnuFileOpen_Click();
        const QList<bool> before = menus(h.form());
        h.dialogs.choose(h.programFolder() + "/" + QString::fromUtf8(name));
        h->mnuFileOpen_Click();

        ASSERT_EQ(h.messages.shown.size(), 1);
        EXPECT_EQ(h.messages.shown[0].text, "改行を含むファイル名はリストに入れられません。");
        EXPECT_EQ(h.messages.shown[0].title, "Sorvanel");
        EXPECT_EQ(h->List1->entries(), QStringList{h.inProgramFolder("one.wav")});
        EXPECT_EQ(h->List2->entries(), QStringList{"one.wav"});
        EXPECT_EQ(h.playerEngine()->opened.size(), 1) << "the player is not touched";
        EXPECT_EQ(menus(h.form()), before);
    }
}

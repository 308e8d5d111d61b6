// Adding, deleting and closing play-list entries through the main window.
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "support/HandlerSteps.h"
#include "support/MainWindowHarness.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

const QString kNothingSelected = QStringLiteral("削除ファイルが選択されていません。");

} // namespace

TEST(ListAdd, IsOpeningAMediaFile)
{
    MainWindowHarness h;
    h.dialogs.choose("/m/音楽/a.mid");
    h->mnuHenAdd_Click();
    ASSERT_EQ(h.dialogs.openRequests.size(), 1);
    EXPECT_EQ(h.dialogs.openRequests[0].title, "MID WAV AVI MP3");
    EXPECT_EQ(h->List1->entries(), QStringList{"/m/音楽/a.mid"});
    EXPECT_EQ(h->List2->entries(), QStringList{"a.mid"});
    EXPECT_EQ(lastOpened(h), "/m/音楽/a.mid");
    EXPECT_TRUE(h->mnuListReSave->isEnabled());

    h.dialogs.cancel();
    h->mnuHenAdd_Click();
    EXPECT_EQ(h->List1->ListCount(), 1);
    EXPECT_FALSE(h->mnuListNewSave->isEnabled()) << "as after a cancelled media dialog";
    EXPECT_TRUE(h->mnuCdPlayer->isEnabled());
}

TEST(ListDelete, NothingSelectedBeepsThenShowsTheMessageAndChangesNothing)
{
    MainWindowHarness h;
    addMedia(h, "/m/a.mid");
    h->mnuListReSave->setEnabled(false);
    h->mnuListDelete_Click();

    EXPECT_EQ(h.messages.events, (QStringList{"<beep>", kNothingSelected}));
    EXPECT_EQ(h.messages.shown[0].title, "Sorvanel");
    EXPECT_EQ(h->ListNo, -1);
    EXPECT_EQ(h->List1->entries(), QStringList{"/m/a.mid"});
    EXPECT_EQ(h->List2->entries(), QStringList{"a.mid"});
    EXPECT_EQ(h->Label2->text(), "a.mid");
    EXPECT_EQ(lastOpened(h), "/m/a.mid");
    EXPECT_FALSE(h->mnuListReSave->isEnabled());
}

TEST(ListDelete, RemovesTheSamePositionFromBothListsAndRestsThePlayer)
{
    MainWindowHarness h;
    // The same name twice, from different folders: pairing is by position.
    for (const char* path : {"/x/same.mid", "/y/same.mid", "/z/other.wav"})
        addMedia(h, path);
    h->mnuListReSave->setEnabled(false);
    h->List2->setListIndex(0);
    h->mnuListDelete_Click();

    EXPECT_EQ(h->ListNo, 0);
    EXPECT_EQ(h->List1->entries(), (QStringList{"/y/same.mid", "/z/other.wav"}));
    EXPECT_EQ(h->List2->entries(), (QStringList{"same.mid", "other.wav"}));
    EXPECT_EQ(h->Label2->text(), "");
    EXPECT_TRUE(lastOpened(h).endsWith("/Start.wav"));
    EXPECT_TRUE(h->mnuListReSave->isEnabled());
    EXPECT_TRUE(h.messages.events.isEmpty());

    // The entry left at a position still plays its own path.
    h->List2->setListIndex(0);
    h->List2_Click();
    EXPECT_EQ(lastOpened(h), "/y/same.mid");

    // Nothing stays selected: a second delete asks for a choice first.
    h->mnuListDelete_Click();
    EXPECT_EQ(h->List1->ListCount(), 1);
    h->mnuListDelete_Click();
    EXPECT_EQ(h.messages.events, (QStringList{"<beep>", kNothingSelected}));
    EXPECT_EQ(h->List1->entries(), QStringList{"/z/other.wav"});
}

TEST(ListDelete, DeletingTheOnlyEntryThenOverwritingLeavesAZeroByteListFile)
{
    MainWindowHarness h;
    const QString a = h.writeFile("a.lst", "/m/only.mid\r\n");
    h.dialogs.choose(a);
    h->mnuListOpen_Click();
    h->List2->setListIndex(0);
    h->mnuListDelete_Click();
    EXPECT_EQ(h->List1->ListCount(), 0);
    EXPECT_EQ(h->List2->ListCount(), 0);
    ASSERT_TRUE(h->mnuListReSave->isEnabled());
    h->mnuListReSave_Click();
    QFile file(a);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 0);
}

TEST(ListClose, EmptiesThePlayListAndRestoresTheStartUpMenus)
{
    for (bool withEntries : {true, false}) {
        MainWindowHarness h;
        const QString a = h.writeFile("a.lst", withEntries ? "/m/a.mid\r\n/m/b.wav\r\n" : "");
        h.dialogs.choose(a);
        h->mnuListOpen_Click();
        addMedia(h, "/m/c.mp3");
        h->mnuList->setEnabled(false);
        h->mnuListClose_Click();

        EXPECT_EQ(h->List1->ListCount(), 0) << withEntries;
        EXPECT_EQ(h->List2->ListCount(), 0) << withEntries;
        EXPECT_EQ(h->SB1->panelText(2), "") << withEntries;
        EXPECT_EQ(h->Label2->text(), "") << withEntries;
        EXPECT_EQ(h->ListFileName, a) << "the list file opened last stays the current one";
        // The start sound is handed over, then the player is stopped and put away.
        const QStringList commands = h.playerEngine()->commands;
        ASSERT_GE(commands.size(), 2);
        EXPECT_TRUE(commands[commands.size() - 2].endsWith("/Start.wav")) << withEntries;
        EXPECT_EQ(commands.last(), "stop") << withEntries;
        EXPECT_FALSE(h->MediaPlayer1->isEnabled());
        EXPECT_TRUE(h->MediaPlayer1->isHidden());

        EXPECT_TRUE(h->mnuListOpen->isEnabled());
        EXPECT_TRUE(h->mnuList->isEnabled());
        EXPECT_TRUE(h->mnuCdPlayer->isEnabled());
        for (QAction* off : {h->mnuListNewSave, h->mnuListReSave, h->mnuListClose, h->mnuListDelete})
            EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    }
}

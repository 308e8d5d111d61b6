// The main window after start-up, the program folder and shutdown.
#include "controls/forms/ClickableFrame.h"
#include "controls/forms/FileListBox.h"
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "controls/forms/Timer.h"
#include "support/HandlerSteps.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {
QStringList enabledTopLevelCaptions(frmMain& form)
{
    QStringList result;
    for (QAction* action : form.menuBar()->actions())
        result << QStringLiteral("%1:%2").arg(action->text(), action->isEnabled() ? "E" : "D");
    return result;
}
} // namespace

TEST(Startup, MenusControlsAndStateAfterFormLoad)
{
    MainWindowHarness h;
    frmMain& f = h.form();

    EXPECT_EQ(f.windowTitle(), "Kordaline");
    EXPECT_TRUE(f.mnuFileOpen->isEnabled());
    EXPECT_TRUE(f.mnuEnd->isEnabled());
    EXPECT_TRUE(f.mnuListOpen->isEnabled());
    for (QAction* off : {f.mnuListNewSave, f.mnuListReSave, f.mnuListClose, f.mnuListDelete, f.mnuCDEnd, f.mnuSetDft})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    for (QAction* on : {f.mnuHenAdd, f.mnuCD, f.mnuHelpHtm, f.mnuHelpVersion, f.mnuSetJpg, f.mnuSetNo, f.mnuSep6})
        EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();

    // The spacers are the only disabled top-level items; captions are exact.
    EXPECT_EQ(enabledTopLevelCaptions(f),
              (QStringList{"ファイル:E", "          :D", "リスト:E", " 　　　　 :D", "編集:E", "    :D",
                           "CDプレーヤー:E", "    :D", "ヘルプ:E", "    :D", ":E", "背景表示:E"}));

    EXPECT_TRUE(f.MediaPlayer1->isHidden());
    EXPECT_TRUE(f.MMControl1->isHidden());
    EXPECT_EQ(f.List1->ListCount(), 0);
    EXPECT_EQ(f.List2->ListCount(), 0);
    EXPECT_EQ(f.Label2->text(), "");
    EXPECT_EQ(f.Label1->text(), "タイトル");
    EXPECT_EQ(f.SB1->panelText(1), "ListName");
    EXPECT_EQ(f.SB1->panelText(2), "");
    EXPECT_FALSE(f.SB1->panelText(3).isEmpty());
    EXPECT_TRUE(f.SB1->panelText(4).contains("05")) << f.SB1->panelText(4).toStdString();
    EXPECT_TRUE(f.SB1->panelText(4).contains("07")) << "seconds are shown";
    EXPECT_EQ(f.PictureNo, 1);
    EXPECT_EQ(f.SlideNo, 1);
    EXPECT_TRUE(f.Timer1->Enabled());
    EXPECT_EQ(f.Timer1->Interval(), 10000);
    EXPECT_TRUE(f.ListFileName.isEmpty());
    // No sound, no engine and no picture at start-up.
    EXPECT_TRUE(h.engines.empty());
    EXPECT_TRUE(f.Image1->pixmap().isNull());
}

TEST(Startup, MenuCaptionsUnderEachTopLevelItem)
{
    MainWindowHarness h;
    auto captions = [](QAction* top) {
        QStringList result;
        for (QAction* a : top->menu()->actions())
            result << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return result;
    };
    EXPECT_EQ(captions(h->mnuFile), (QStringList{"メディアファイルを開く", "-", "終了する"}));
    EXPECT_EQ(captions(h->mnuList), (QStringList{"リストファイルを開く", "-", "名前を付けてリストを保存", "-",
                                                 "リストを上書き保存", "-", "リストを閉じる"}));
    EXPECT_EQ(captions(h->mnuHensyu), (QStringList{"ファイルを削除する", "-", "ファイルを追加する"}));
    EXPECT_EQ(captions(h->mnuCdPlayer), (QStringList{"CDを演奏する", "-", "CDを終了する"}));
    EXPECT_EQ(captions(h->mnuHelp), (QStringList{"HELPを開く", "-", "Version　情報"}));
    EXPECT_EQ(captions(h->mnuSet), (QStringList{"成人向け", "-", "標準画像", "-", "-", "背景を無くす"}));
}

TEST(Startup, PictureListHoldsTheJpegFilesOfTheProgramFolder)
{
    MainWindowHarness h(false);
    h.writeFile("b.JPG", "x");
    h.writeFile("a.jpg", "x");
    h.writeFile("c.jpeg", "x");  // not "*.jpg"
    h.writeFile("notes.txt", "x");
    h.writeFile(".hidden.jpg", "x");
    h.writeFile("sub/inner.jpg", "x");
    h->Form_Load();

    ASSERT_EQ(h->File1->ListCount(), 2);
    EXPECT_EQ(h->File1->List(0), "a.jpg");
    EXPECT_EQ(h->File1->List(1), "b.JPG");
    EXPECT_EQ(h->List3->List(0), h.inProgramFolder("a.jpg"));
    EXPECT_EQ(h->List3->List(1), h.inProgramFolder("b.JPG"));
    EXPECT_EQ(h->File1->Path(), h->MyPath());
}

TEST(Startup, FolderWithoutPicturesLeavesThePictureListEmpty)
{
    MainWindowHarness h;
    EXPECT_EQ(h->File1->ListCount(), 0);
    EXPECT_EQ(h->List3->ListCount(), 0);
}

TEST(MyPath, EndsInExactlyOneSeparator)
{
    MainWindowHarness h;
    EXPECT_EQ(h->MyPath(), h.programFolder() + "/");
    EXPECT_EQ(h->AppPath(), h.programFolder());
}

TEST(MyPath, AtTheRootOfTheFileSystem)
{
    MainWindowHarness h(false);
    Platform platform = h->platform();
    platform.programFolder = [] { return QStringLiteral("/"); };
    frmMain atRoot(platform);
    EXPECT_EQ(atRoot.MyPath(), "/");
}

TEST(Shutdown, EndingStopsPlaybackAndSavesNothing)
{
    MainWindowHarness h;
    addMedia(h, h.writeFile("tune.wav", "RIFF"));
    ASSERT_NE(h.playerEngine(), nullptr);

    h->mnuEnd_Click();
    EXPECT_TRUE(h.playerEngine()->commands.contains("stop"));
    EXPECT_FALSE(h->Timer1->isTicking());
    EXPECT_TRUE(h.messages.shown.isEmpty()) << "nothing is asked";
    EXPECT_TRUE(h.dialogs.saveRequests.isEmpty()) << "nothing is saved";
    // A second way out (the close box after the menu) does nothing more.
    h->Form_Unload();
}

TEST(Layout, ControlsSitAtTheirPlacesInTwips)
{
    MainWindowHarness h;
    frmMain& f = h.form();
    // 15 twips to the logical pixel: the client area is 13095 x 8340 twips.
    EXPECT_EQ(f.centralWidget()->size(), QSize(873, 556));
    EXPECT_EQ(f.SB1->geometry(), QRect(0, 539, 873, 17));
    EXPECT_EQ(f.Picture3->geometry(), QRect(48, 0, 161, 25));
    EXPECT_EQ(f.Label2->geometry(), QRect(0, 0, 161, 25));
    EXPECT_EQ(f.Picture1->geometry(), QRect(216, 0, 657, 545));
    EXPECT_EQ(f.Picture2->geometry(), QRect(208, 0, 9, 545));
    EXPECT_EQ(f.List2->geometry(), QRect(0, 24, 209, 514));
    EXPECT_EQ(f.Label1->geometry(), QRect(0, 8, 49, 17));
    EXPECT_EQ(f.MediaPlayer1->designGeometry(), QRect(0, 8, 286, 225));
    EXPECT_EQ(f.MMControl1->geometry(), QRect(0, 488, 158, 33));
    EXPECT_EQ(f.Image1->pos(), QPoint(0, 64));
    EXPECT_EQ(f.Image1->parentWidget(), f.Picture1);
    EXPECT_EQ(f.MediaPlayer1->parentWidget(), f.Picture1);
    EXPECT_TRUE(f.List1->isHidden());
    EXPECT_TRUE(f.List3->isHidden());
    EXPECT_TRUE(f.File1->isHidden());
}

TEST(Layout, NothingIsDrawnOverTheStatusBar)
{
    MainWindowHarness h;
    QWidget* client = h->centralWidget();
    const QRect bar = h->SB1->geometry();
    ASSERT_TRUE(bar.intersects(h->Picture1->geometry())) << "the picture boxes reach into the bar";
    for (int y = bar.top(); y <= bar.bottom(); ++y) {
        for (int x = bar.left(); x <= bar.right(); ++x) {
            QWidget* top = client->childAt(x, y);
            ASSERT_TRUE(top == h->SB1 || h->SB1->isAncestorOf(top))
                << x << "," << y << " is covered by " << (top ? top->objectName().toStdString() : "nothing");
        }
    }
}

TEST(Layout, ColoursOfTheTitleLineAndThePlayList)
{
    MainWindowHarness h;
    EXPECT_EQ(h->Label2->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(h->Label2->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_EQ(h->List2->palette().color(QPalette::Text), QColor(0, 0, 192));
    EXPECT_EQ(h->List2->palette().color(QPalette::Base), QColor(192, 192, 255));
    EXPECT_EQ(h->List2->font().pointSizeF(), 11.25);
    EXPECT_EQ(h->Label2->font().family(), "ＭＳ Ｐゴシック");
}

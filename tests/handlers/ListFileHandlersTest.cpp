// Opening, saving and overwriting list files through the main window.
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "support/HandlerSteps.h"
#include "support/MainWindowHarness.h"
#include "support/SystemCalls.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <gtest/gtest.h>


namespace {

// newSave, reSave, close, del, cdPlayer
QList<bool> listMenus(frmMain& f)
{
    return enabledMenus({f.mnuListNewSave, f.mnuListReSave, f.mnuListClose, f.mnuListDelete, f.mnuCdPlayer});
}

const QString kOpenFailed = QStringLiteral("ファイルがありません");
const QString kSaveAsFailed = QStringLiteral("リストファイルを保存できません。");
const QString kOverwriteFailed = QStringLiteral("ファイルがありません。");

} // namespace

// ---- open ----

TEST(ListOpen, ReadsTheFileIntoBothListsAndSwitchesTheMenus)
{
    MainWindowHarness h;
    addMedia(h, "/old/entry.wav");
    h->List2->setListIndex(0);
    const QString list = h.writeFile("lists/a.lst", "/m/音楽/a b.mid\r\n/v/clip.avi\r\nnoseparator.mp3\r\n/m/dir/\r\n");
    openList(h, list);

    ASSERT_EQ(h.dialogs.openRequests.size(), 2);
    const FileDialogRequest& asked = h.dialogs.openRequests.last();
    EXPECT_EQ(asked.initDir, h.programFolder());
    EXPECT_EQ(asked.title, "Sorvanel_ListFile");
    EXPECT_EQ(asked.filter, "Sorvanel_List (*.lst)|*.lst");

    EXPECT_EQ(h->List1->entries(), (QStringList{"/m/音楽/a b.mid", "/v/clip.avi", "noseparator.mp3", "/m/dir/"}));
    EXPECT_EQ(h->List2->entries(), (QStringList{"a b.mid", "clip.avi", "noseparator.mp3", ""}));
    EXPECT_EQ(h->List2->ListIndex(), -1) << "nothing is selected";
    EXPECT_EQ(h->ListFileName, list);
    EXPECT_EQ(h->SB1->panelText(2), list);
    EXPECT_EQ(h->Label2->text(), "");
    EXPECT_TRUE(lastOpened(h).endsWith("/Start.wav")) << lastOpened(h).toStdString();
    EXPECT_TRUE(h->MediaPlayer1->isEnabled());
    EXPECT_TRUE(h->MMControl1->isHidden());
    EXPECT_EQ(listMenus(h.form()), (QList<bool>{true, false, true, true, false}));
    EXPECT_TRUE(h->mnuListOpen->isEnabled());
    EXPECT_TRUE(h.messages.shown.isEmpty());
}

TEST(ListOpen, CancelOnlyHandsTheStartSoundToThePlayer)
{
    MainWindowHarness h;
    addMedia(h, "/m/a.mid");
    const QList<bool> before = listMenus(h.form());
    h.dialogs.cancel();
    h->mnuListOpen_Click();

    EXPECT_EQ(h->List1->entries(), QStringList{"/m/a.mid"});
    EXPECT_EQ(h->List2->entries(), QStringList{"a.mid"});
    EXPECT_EQ(h->Label2->text(), "");
    EXPECT_TRUE(lastOpened(h).endsWith("/Start.wav"));
    EXPECT_EQ(listMenus(h.form()), before);
    EXPECT_EQ(h->ListFileName, "");
    EXPECT_EQ(h->SB1->panelText(2), "");
}

TEST(ListOpen, EmptyFileGivesEmptyListsWithTheListMenus)
{
    MainWindowHarness h;
    addMedia(h, "/m/a.mid");
    openList(h, h.writeFile("empty.lst", ""));
    EXPECT_EQ(h->List1->ListCount(), 0);
    EXPECT_EQ(h->List2->ListCount(), 0);
    EXPECT_EQ(listMenus(h.form()), (QList<bool>{true, false, true, true, false}));
    EXPECT_TRUE(h.messages.shown.isEmpty());
}

TEST(ListOpen, EmptyLinesAndShiftJisKeepTheListsPairedAndNothingIsLostOnSave)
{
    MainWindowHarness h;
    openList(h, h.writeFile("gaps.lst", "/m/a.mid\r\n\r\n/\x89\xb9\x8a\x79/\x95\x5c.mid\r\n\r\n"));
    EXPECT_EQ(h->List1->entries(), (QStringList{"/m/a.mid", "/音楽/表.mid"}));
    EXPECT_EQ(h->List2->entries(), (QStringList{"a.mid", "表.mid"}));
    EXPECT_TRUE(h.messages.shown.isEmpty());

    saveListAs(h, h.inProgramFolder("saved.lst"));
    EXPECT_EQ(readBytes(h.inProgramFolder("saved.lst")), "/m/a.mid\r\n/音楽/表.mid\r\n");
}

TEST(ListOpen, UnreadableFilesShowTheMessageAndLeaveBothListsEmpty)
{
    MainWindowHarness h;
    const QString fifo = h.inProgramFolder("pipe.lst");
    const bool hasPipes = testsys::makeFifo(fifo);
    const QString huge = h.writeFile("huge.lst", "");
    ASSERT_TRUE(QFile::resize(huge, 65 * 1024 * 1024));
    const QList<std::pair<const char*, QString>> cases = {
        {"missing", h.inProgramFolder("missing.lst")},
        {"NUL bytes", h.writeFile("nul.lst", QByteArray("/m/a.mid\r\n/m/\0b.mid\r\n", 22))},
        {"folder", h.programFolder()},
        {"pipe", hasPipes ? fifo : h.inProgramFolder("pipe.lst")},
        {"device", "/dev/zero"},
        {"read fails", "/proc/self/mem"},
        {"over the size cap", huge},
        // Another format's refusal (each format's own are in its file table).
        {"an XSPF cut short", h.writeFile("cut.xspf", "<playlist xmlns=\"http://xspf.org/ns/0/\"><trackList><track>"
                                                      "<location>/m/a.mid</location></track>")},
    };
    for (const auto& [what, path] : cases) {
        addMedia(h, "/m/before.mid");
        h->mnuCdPlayer->setEnabled(true);
        h->MMControl1->setVisible(true);
        h.messages.shown.clear();
        openList(h, path);

        ASSERT_EQ(h.messages.shown.size(), 1) << what;
        EXPECT_EQ(h.messages.shown[0].text, kOpenFailed) << what;
        EXPECT_EQ(h.messages.shown[0].title, "Sorvanel") << what;
        EXPECT_EQ(h->List1->ListCount(), 0) << what;
        EXPECT_EQ(h->List2->ListCount(), 0) << what;
        EXPECT_EQ(h->ListFileName, path) << what;
        EXPECT_EQ(h->SB1->panelText(2), path) << what;
        EXPECT_TRUE(lastOpened(h).endsWith("/Start.wav")) << what;
        // The menus of a list that opened, but the CD menu and the CD control
        // are left as they were.
        EXPECT_EQ(listMenus(h.form()), (QList<bool>{true, false, true, true, true})) << what;
        EXPECT_FALSE(h->MMControl1->isHidden()) << what;
    }
}

TEST(ListOpen, MillionLineFileOpensWhole)
{
    MainWindowHarness h;
    QByteArray bytes;
    for (int i = 0; i < 1'000'000; ++i)
        bytes += "/m/" + QByteArray::number(i) + ".mid\r\n";
    openList(h, h.writeFile("million.lst", bytes));
    ASSERT_EQ(h->List1->ListCount(), 1'000'000);
    ASSERT_EQ(h->List2->ListCount(), 1'000'000);
    EXPECT_EQ(h->List1->List(999'999), "/m/999999.mid");
    EXPECT_EQ(h->List2->List(999'999), "999999.mid");
}

// ---- save as ----

TEST(ListSaveAs, WritesEveryPathAndChangesNoCurrentListFile)
{
    MainWindowHarness h;
    const QString a = h.writeFile("a.lst", "/m/a.mid\r\n");
    openList(h, a);
    addMedia(h, "/m/ソフト/b b.wav");
    const QString b = h.inProgramFolder("b");
    saveListAs(h, b);

    ASSERT_EQ(h.dialogs.saveRequests.size(), 1);
    EXPECT_EQ(h.dialogs.saveRequests[0].initDir, h.programFolder());
    EXPECT_EQ(h.dialogs.saveRequests[0].title, "Sorvanel_ListFile");
    EXPECT_EQ(h.dialogs.saveRequests[0].filter, "Sorvanel_List (*.lst)|*.lst");
    EXPECT_EQ(readBytes(b), "/m/a.mid\r\n/m/ソフト/b b.wav\r\n") << "no extension is added";
    EXPECT_EQ(h->SaveListName, b);
    EXPECT_EQ(h->ListFileName, a);
    EXPECT_EQ(h->SB1->panelText(2), a);
    EXPECT_EQ(h->Label2->text(), "");
    EXPECT_TRUE(h->mnuListClose->isEnabled());
    EXPECT_TRUE(h.messages.shown.isEmpty());

    // A cancel changes nothing.
    h.dialogs.cancel();
    h->mnuListNewSave_Click();
    EXPECT_EQ(h->SaveListName, b);
}

TEST(ListSaveAs, UnwritableFolderShowsTheMessageAndKeepsTheOldFile)
{
    MainWindowHarness h;
    addMedia(h, "/m/a.mid");
    h->mnuListClose->setEnabled(false);

    saveListAs(h, "/proc/sorvan/list.lst");
    ASSERT_EQ(h.messages.shown.size(), 1);
    EXPECT_EQ(h.messages.shown[0].text, kSaveAsFailed);
    EXPECT_EQ(h.messages.shown[0].title, "Sorvanel");
    // The rest of the handler still runs.
    EXPECT_EQ(h->Label2->text(), "");
    EXPECT_TRUE(h->mnuListClose->isEnabled());
    EXPECT_EQ(h->SaveListName, "/proc/sorvan/list.lst");

    const QString locked = h.inProgramFolder("locked");
    const QString old = h.writeFile("locked/old.lst", "/m/old.mid\r\n");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFile(locked + "/probe").open(QIODevice::WriteOnly)) {
        saveListAs(h, old);
        EXPECT_EQ(h.messages.shown.size(), 2);
        EXPECT_EQ(readBytes(old), "/m/old.mid\r\n");
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// ---- overwrite ----

TEST(ListOverwrite, WritesTheListFileOpenedLastNotTheOneSavedAs)
{
    MainWindowHarness h;
    const QString a = h.writeFile("a.lst", "/m/one.mid\r\n");
    openList(h, a);
    addMedia(h, "/m/two.wav");
    const QString b = h.inProgramFolder("b.lst");
    saveListAs(h, b);
    addMedia(h, "/m/three.avi");
    h->mnuListClose->setEnabled(false);
    h->mnuListReSave_Click();

    EXPECT_EQ(readBytes(a), "/m/one.mid\r\n/m/two.wav\r\n/m/three.avi\r\n");
    EXPECT_EQ(readBytes(b), "/m/one.mid\r\n/m/two.wav\r\n");
    EXPECT_TRUE(h->mnuListClose->isEnabled());
    EXPECT_TRUE(h.messages.shown.isEmpty());
}

TEST(ListOverwrite, AfterCloseTheLastOpenedFileGetsTheNewList)
{
    MainWindowHarness h;
    const QString a = h.writeFile("a.lst", "/m/one.mid\r\n/m/two.mid\r\n");
    openList(h, a);
    h->mnuListClose_Click();
    addMedia(h, "/m/only.wav");
    h->mnuListReSave_Click();
    EXPECT_EQ(readBytes(a), "/m/only.wav\r\n");
}

TEST(ListOverwrite, BeforeAnyOpenShowsTheMessageAndWritesNothing)
{
    MainWindowHarness h;
    addMedia(h, "/m/a.mid");
    const QStringList before = QDir(h.programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    h->mnuListReSave_Click();

    ASSERT_EQ(h.messages.shown.size(), 1);
    EXPECT_EQ(h.messages.shown[0].text, kOverwriteFailed);
    EXPECT_EQ(h.messages.shown[0].title, "Sorvanel");
    EXPECT_FALSE(h->mnuListClose->isEnabled()) << "no menu changes on the failure path";
    EXPECT_EQ(QDir(h.programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

TEST(ListOverwrite, ListFileThatWasNoFileIsNeverReplaced)
{
    const struct {
        const char* what;
        bool (*make)(const QString& path);
        bool (*stays)(const QString& path);
    } rows[] = {
        {"a named pipe", testsys::makeFifo, testsys::isFifo},
        {"a link that leads to itself", [](const QString& path) { return QFile::link(path, path); },
         [](const QString& path) { return QFileInfo(path).isSymLink(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        MainWindowHarness h;
        const QString path = h.inProgramFolder("not-a-file.lst");
        if (!row.make(path))
            GTEST_SKIP() << "cannot make " << row.what << " here";
        openList(h, path);
        addMedia(h, "/m/a.mid");
        h->mnuListReSave_Click();
        EXPECT_EQ(h.messages.shown.size(), 2);
        EXPECT_EQ(h.messages.shown.last().text, kOverwriteFailed);
        EXPECT_TRUE(row.stays(path));
    }
}

// ---- failing writes ----

TEST(ListSaveFailure, FullDiskShowsEachHandlersMessageAndKeepsTheOldFile)
{
    MainWindowHarness h;
    const QByteArray old = "/m/old.mid\r\n";
    const QString a = h.writeFile("a.lst", old);
    openList(h, a);
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << QStringLiteral("/m/%1.mid").arg(i);
    h->List1->AddItems(many);

    // No file may grow past 4 KiB: the write fails part way, as on a full disk.
    {
        const testsys::FileSizeLimit small(4096);
        if (!small.active())
            GTEST_SKIP() << "no file size limit here";
        saveListAs(h, a);
        h->mnuListReSave_Click();
    }

    EXPECT_EQ(readBytes(a), old);
    ASSERT_EQ(h.messages.shown.size(), 2);
    EXPECT_EQ(h.messages.shown[0].text, kSaveAsFailed);
    EXPECT_EQ(h.messages.shown[1].text, kOverwriteFailed);
}

// ---- the whole way round ----

TEST(ListRoundTrip, SavedListReadByTheNextRunPlaysItsEntries)
{
    QTemporaryDir dir;
    const QString list = dir.filePath("mine.lst");
    const QStringList paths = {"/m/音楽/一.mid", " /m/two .wav ", "/v/三.MPG"};
    {
        MainWindowHarness first;
        for (const QString& path : paths)
            addMedia(first, path);
        saveListAs(first, list);
    }
    MainWindowHarness next;
    openList(next, list);
    EXPECT_EQ(next->List1->entries(), paths);
    EXPECT_EQ(next->List2->entries(), (QStringList{"一.mid", "two .wav ", "三.MPG"}));

    next->List2->setListIndex(2);
    next->List2_Click();
    EXPECT_EQ(lastOpened(next), "/v/三.MPG");
    EXPECT_EQ(next->Label2->text(), "三.MPG");
}

// ---- the other list formats ----

TEST(ListFormatsThroughTheHandlers, TitlesShowInTheListAndTheOverwriteWritesThemBack)
{
    MainWindowHarness h;
    const QString list = h.writeFile("lists/mine.m3u8", "#EXTM3U\n#EXTINF:61,一曲目\nmusic/a.wav\nmusic/b.wav\n"
                                                       "#EXTINF:-1,radio\nhttp://radio.invalid/s\n/abs/c.wav\n");
    const QString folder = h.inProgramFolder("lists");
    openList(h, list);
    EXPECT_EQ(h->List1->entries(), (QStringList{folder + "/music/a.wav", folder + "/music/b.wav", "/abs/c.wav"}));
    EXPECT_EQ(h->List2->entries(), (QStringList{"一曲目", "b.wav", "c.wav"}));

    h->List2->setListIndex(0);
    h->List2_Click();
    EXPECT_EQ(lastOpened(h), folder + "/music/a.wav");
    EXPECT_EQ(h->Label2->text(), "一曲目");
    h->List2->setListIndex(1);
    h->mnuListDelete_Click();
    EXPECT_EQ(h->List2->entries(), (QStringList{"一曲目", "c.wav"})) << "the titles stay with their entries";
    h.tagReader->tags["/abs/c.wav"].title = "From the tags";
    h->List2->setListIndex(1);
    h->List2_Click();
    ASSERT_TRUE(waitFor([&] { return h->MediaPlayer1->tags().title == "From the tags"; }));

    h->mnuListReSave_Click();
    EXPECT_EQ(readBytes(list), "#EXTM3U\n#EXTINF:61,一曲目\nmusic/a.wav\n#EXTINF:-1,From the tags\n/abs/c.wav\n");
    EXPECT_TRUE(h.messages.shown.isEmpty());
}

TEST(ListFormatsThroughTheHandlers, TheProgramsOwnListStaysByteIdenticalThroughOpenAndOverwrite)
{
    MainWindowHarness h;
    const QByteArray bytes = "C:\\Music\\a.mid\r\n/m/音楽/ b c.wav \r\nrelative.mp3\r\n#EXTM3U.wav\r\n";
    const QString list = h.writeFile("own.lst", bytes);
    openList(h, list);
    addMedia(h, "/m/added.wav");
    h->List2->setListIndex(4);
    h->mnuListDelete_Click();
    h->mnuListReSave_Click();
    EXPECT_EQ(readBytes(list), bytes);
}

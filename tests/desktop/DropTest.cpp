// Files dragged from a file manager: real QMimeData in QDropEvents sent to
// the play list and the display area of the main window.
#include "controls/forms/ClickableFrame.h"
#include "controls/forms/ListBox.h"
#include "controls/forms/StatusBar.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "desktop/DropTarget.h"
#include "desktop/HandOver.h"
#include "support/HandlerSteps.h"
#include "support/WaitFor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
struct Dropped {
    bool accepted = false;  // the drag showed the drop cursor
};

// Drags urls over target and drops them there, as the window system would.
Dropped drop(QWidget* target, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    Dropped result{enter.isAccepted()};
    if (result.accepted) {
        QDropEvent dropEvent(QPointF(at), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropEvent);
    }
    return result;
}

QUrl local(const QString& path)
{
    return QUrl::fromLocalFile(path);
}

QStringList names(const QStringList& paths)
{
    QStringList out;
    for (const QString& path : paths)
        out << QFileInfo(path).fileName();
    return out;
}
} // namespace

TEST(Drop, MediaFilesAreListedAndTheFirstPlaysAsIfChosen)
{
    MainWindowHarness h;
    HandOver handOver(h.form());
    DropTarget target(h.form(), handOver);
    const QString wav = h.writeFile("in/b song.wav", "x");
    const QString avi = h.writeFile("in/a.AVI", "x");
    const QString text = h.writeFile("in/notes.txt", "x");
    QDir().mkpath(h.inProgramFolder("in/folder.mp3"));
    const QList<QUrl> urls{local(wav), local(text), local(h.inProgramFolder("in/folder.mp3")),
                           QUrl("https://example.org/c.mp3"), local(avi)};

    for (QWidget* area : {static_cast<QWidget*>(h->List2->viewport()), static_cast<QWidget*>(h->Picture1)}) {
        const qsizetype before = h->List1->ListCount();
        ASSERT_TRUE(drop(area, urls).accepted);
        EXPECT_EQ(h->List1->entries().mid(before), (QStringList{wav, avi}));
        EXPECT_EQ(h->List2->entries().mid(before), (QStringList{"b song.wav", "a.AVI"}));
        EXPECT_EQ(h.playerEngine()->opened.last(), wav);
    }
    // Exactly what the dialog's choice of the first file leaves behind.
    MainWindowHarness chosen;
    addMedia(chosen, wav);
    EXPECT_EQ(h->Label2->text(), chosen->Label2->text());
    EXPECT_EQ(h->PlayFile, chosen->PlayFile);
    EXPECT_EQ(h->Image1->isHidden(), chosen->Image1->isHidden());
    EXPECT_EQ(h->MediaPlayer1->isHidden(), chosen->MediaPlayer1->isHidden());
    EXPECT_EQ(h->MMControl1->isHidden(), chosen->MMControl1->isHidden());
    for (QAction* frmMain::*item : {&frmMain::mnuListNewSave, &frmMain::mnuListDelete, &frmMain::mnuListReSave,
                                    &frmMain::mnuCdPlayer, &frmMain::mnuList, &frmMain::mnuFileOpen})
        EXPECT_EQ((h.form().*item)->isEnabled(), (chosen.form().*item)->isEnabled()) << (h.form().*item)->text().toStdString();
    EXPECT_TRUE(h.dialogs.openRequests.isEmpty()) << "no dialog";
}

TEST(Drop, OneListFileOpensAsIfChosen)
{
    MainWindowHarness h;
    HandOver handOver(h.form());
    DropTarget target(h.form(), handOver);
    const QString one = h.writeFile("m/one.mp3", "x");
    const QString two = h.writeFile("m/two.mov", "x");
    const QString list = h.writeFile("lists/mine.LST", (one + "\r\n" + two + "\r\n").toUtf8());
    addMedia(h, h.writeFile("old.wav", "x"));

    ASSERT_TRUE(drop(h->Picture1, {local(list)}).accepted);
    EXPECT_EQ(h->List1->entries(), (QStringList{one, two}));
    EXPECT_EQ(h->List2->entries(), names({one, two}));
    EXPECT_EQ(h->ListFileName, list);
    EXPECT_EQ(h->SB1->panelText(2), list);
    EXPECT_EQ(h->MediaPlayer1->FileName(), "Start.wav");
    EXPECT_EQ(h->Label2->text(), "");
    EXPECT_TRUE(h->mnuListClose->isEnabled());
    EXPECT_FALSE(h->mnuListReSave->isEnabled());
    EXPECT_FALSE(h->mnuCdPlayer->isEnabled());

    // Beside another file a list file is just another file: passed over.
    const Dropped mixed = drop(h->List2->viewport(), {local(list), local(h.writeFile("x.txt", "x"))});
    EXPECT_FALSE(mixed.accepted);
    EXPECT_EQ(h->List1->ListCount(), 2);
    EXPECT_TRUE(h.messages.shown.isEmpty());
}

TEST(Drop, RefusedInCdModeAndWithNothingToPlay)
{
    struct Case {
        const char* name;
        std::function<void(MainWindowHarness&)> prepare;
        bool text;  // drop only a text file
    };
    for (const Case& c : {Case{"CD mode", [](MainWindowHarness& h) { h->mnuCD_Click(); }, false},
                          Case{"nothing playable", [](MainWindowHarness&) {}, true}}) {
        SCOPED_TRACE(c.name);
        MainWindowHarness h;
        HandOver handOver(h.form());
        DropTarget target(h.form(), handOver);
        c.prepare(h);
        const QString file = h.writeFile(c.text ? "a.txt" : "a.mp3", "x");
        const QString list = h.writeFile("a.lst", file.toUtf8());
        const QString engineFile = h->MediaPlayer1->FileName();
        for (QWidget* area : target.areas()) {
            EXPECT_FALSE(drop(area, {local(file)}).accepted);
            if (!c.text)
                EXPECT_FALSE(drop(area, {local(list)}).accepted);
        }
        EXPECT_EQ(h->List1->ListCount(), 0);
        EXPECT_EQ(h->MediaPlayer1->FileName(), engineFile);
    }
}

TEST(Drop, ADragIsJudgedOnceWhenItEntersAndTheAnswerHoldsUntilItLeaves)
{
    MainWindowHarness h;
    HandOver handOver(h.form());
    DropTarget target(h.form(), handOver);
    QWidget* area = h->List2->viewport();
    const QString later = h.inProgramFolder("later.mp3");
    QMimeData data;
    data.setUrls({local(later)});
    const auto send = [&](QEvent::Type type) {
        QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier, type);
        QApplication::sendEvent(area, &move);
        return move.isAccepted();
    };
    EXPECT_FALSE(send(QEvent::DragEnter)) << "the file is not there yet";
    h.writeFile("later.mp3", "x");
    EXPECT_FALSE(send(QEvent::DragMove)) << "the answer of the entry holds";
    QDragLeaveEvent leave;
    QApplication::sendEvent(area, &leave);
    EXPECT_TRUE(send(QEvent::DragEnter)) << "a new drag is judged anew";
    QFile::remove(later);
    EXPECT_TRUE(send(QEvent::DragMove));
}

TEST(Drop, ANameWithALineBreakIsRefusedWithItsMessageAndTheRestIsTaken)
{
    MainWindowHarness h;
    HandOver handOver(h.form());
    DropTarget target(h.form(), handOver);
    const QString good = h.writeFile("good.mp3", "x");
    const QString bad = h.writeFile("bad\nname.mp3", "x");
    EXPECT_TRUE(drop(h->List2->viewport(), {local(bad), local(good)}).accepted);
    ASSERT_EQ(h.messages.shown.size(), 1);
    EXPECT_EQ(h.messages.shown[0].text, "改行を含むファイル名はリストに入れられません。");
    EXPECT_EQ(h->List1->entries(), QStringList{QDir::toNativeSeparators(good)});
}

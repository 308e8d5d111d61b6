// Files from outside through the one way in, and requests from outside
// held back while a handler waits in a dialog.
#include "controls/forms/ListBox.h"
#include "desktop/HandOver.h"
#include "desktop/MprisBinding.h"
#include "support/MainWindowHarness.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QUrl>
#include <gtest/gtest.h>

TEST(HandOver, EachNameIsTakenOrSaysWhyNot)
{
    MainWindowHarness h;
    const QString wav = h.writeFile("a b.wav", "x");
    const QString mov = h.writeFile("曲/c.MOV", "x");
    const QString list = h.writeFile("l.lst", "x");
    struct Row {
        QStringList names;
        QStringList media;
        QString list;
        QStringList why;  // one per refused name, in order
    };
    for (const Row& row : {
             Row{{wav, QUrl::fromLocalFile(mov).toString(QUrl::FullyEncoded)}, {wav, mov}, {}, {}},
             Row{{list}, {}, list, {}},
             Row{{list, wav}, {wav}, {}, {"a list file is opened only on its own"}},
             Row{{h.inProgramFolder("gone.mp3")}, {}, {}, {"not found"}},
             Row{{h.inProgramFolder("曲"), "/dev/null", h.writeFile("x.txt", "x")}, {}, {},
                 {"a folder, not a file", "not a regular file", "not a media or list file"}},
             Row{{"https://example.org/a.mp3", wav + "\n.wav", wav}, {wav}, {},
                 {"not a local file", "a line break in the name"}},
         }) {
        SCOPED_TRACE(row.names.join(" | ").toStdString());
        const HandOver::Sorted sorted = HandOver::sort(row.names);
        EXPECT_EQ(sorted.mediaFiles, row.media);
        EXPECT_EQ(sorted.listFile, row.list);
        ASSERT_EQ(sorted.refused.size(), row.why.size());
        for (qsizetype i = 0; i < row.why.size(); ++i)
            EXPECT_TRUE(sorted.refused[i].startsWith("sorvan: " + row.why[i] + ": ")) << sorted.refused[i].toStdString();
    }
}

TEST(HandOver, RequestsWaitForTheHandlersDialogAndRunInArrivalOrder)
{
    MainWindowHarness h;
    HandOver handOver(h.form());
    MprisBinding controls(h.form(), handOver, QDBusConnection(QStringLiteral("no-bus")));
    const QString one = h.writeFile("one.wav", "x");
    const QString two = h.writeFile("two.mid", "x");
    const QString three = h.writeFile("three.mp3", "x");
    h.dialogs.choose(one);
    h->mnuFileOpen_Click();

    QStringList seen;
    h.dialogs.whileOpen = [&] {
        handOver.take({two});
        controls.service().next();  // nothing selected: the first entry
        EXPECT_EQ(controls.service().openUri(QUrl::fromLocalFile(three).toString()), "");
        controls.service().setRate(2.0);
        handOver.requests().run([&] { seen << h->List2->entries().join(','); });
        EXPECT_EQ(h->List1->entries(), QStringList{one}) << "nothing while the dialog is up";
        EXPECT_EQ(handOver.requests().waiting(), 5);
    };
    h.dialogs.cancel();
    h->mnuListOpen_Click();
    EXPECT_EQ(h->List1->entries(), QStringList{one}) << "not even once the dialog closed, inside the handler";

    QCoreApplication::processEvents();
    EXPECT_EQ(handOver.requests().waiting(), 0);
    EXPECT_EQ(h->List1->entries(), (QStringList{one, two, three}));
    const QStringList opened = h.playerEngine()->opened;
    EXPECT_EQ(opened.mid(opened.indexOf(two)), (QStringList{two, one, three}));
    EXPECT_EQ(h.playerEngine()->commands.filter("rate"), QStringList{"rate 2"});
    EXPECT_EQ(seen, QStringList{"one.wav,two.mid,three.mp3"});
}

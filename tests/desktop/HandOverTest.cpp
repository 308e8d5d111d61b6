// Files from outside through the one way in, and requests from outside
// held back while a handler waits in a dialog.
#include "controls/forms/ListBox.h"
#include "desktop/HandOver.h"
#include "desktop/MprisBinding.h"
#include "support/MainWindowHarness.h"
#include "support/SystemCalls.h"
#include "system/FileNames.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>

TEST(HandOver, EachNameIsTakenOrSaysWhyNot)
{
    MainWindowHarness h;
    const QString wav = h.writeFile("a b.wav", "x");
    const QString mov = h.writeFile("曲/c.MOV", "x");
    const QString list = h.writeFile("l.lst", "x");
    const QByteArray latin1 = QFile::encodeName(h.inProgramFolder("caf")) + "\xE9.wav";
    const bool rawNames = testsys::writeFileWithRawName(latin1, "x");
    const QString cafe = sys::nameFromBytes(latin1);
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
             Row{{"https://example.org/a.mp3", wav + "\n.wav", wav, "file://" + QUrl::toPercentEncoding(wav, "/") + "%0A"},
                 {wav}, {}, {"not a local file", "a line break in the name", "a line break in the name"}},
             // Bytes that are not UTF-8, by name and by address; a NUL names nothing.
             Row{{cafe, "file://" + latin1.toPercentEncoding("/"), "file://" + QUrl::toPercentEncoding(wav, "/") + "%00"},
                 {cafe, cafe}, {}, {"not found"}},
         }) {
        SCOPED_TRACE(row.names.join(" | ").toStdString());
        if (!rawNames && row.media.contains(cafe))
            continue;
        const HandOver::Sorted sorted = HandOver::sort(row.names);
        EXPECT_EQ(sorted.mediaFiles, row.media);
        EXPECT_EQ(sorted.listFile, row.list);
        const QStringList lines = sorted.lines();
        ASSERT_EQ(lines.size(), row.why.size()) << lines.join("|").toStdString();
        for (qsizetype i = 0; i < row.why.size(); ++i)
            EXPECT_TRUE(lines[i].startsWith("sorvan: " + row.why[i] + ": ")) << lines.join("|").toStdString();
    }
}

TEST(HandOver, RequestsRunInALaterPassInArrivalOrderAndAStepMadeForAnotherListIsDropped)
{
    MainWindowHarness h;
    HandOver handOver(h.form());
    MprisBinding controls(h.form(), handOver, QDBusConnection(QStringLiteral("no-bus")));
    const QString one = h.writeFile("one.wav", "x");
    const QString two = h.writeFile("two.mid", "x");
    const QString three = h.writeFile("three.mp3", "x");
    const QString four = h.writeFile("four.wav", "x");
    handOver.take({one});
    EXPECT_EQ(h->List1->ListCount(), 0) << "not inside the door's call";
    QCoreApplication::processEvents();
    ASSERT_EQ(h->List1->entries(), QStringList{one});

    QStringList seen;
    h.dialogs.whileOpen = [&] {
        handOver.take({two});
        controls.service().next();  // for the list of now: dropped once another is read
        EXPECT_FALSE(controls.service().openUri(QUrl::fromLocalFile(three).toString()).isValid());
        controls.service().setRate(2.0);
        controls.service().setRate(1.5);  // replaces the 2.0 that waits
        handOver.requests().run([&] { seen << h->List2->entries().join(','); });
        EXPECT_EQ(handOver.requests().waiting(), 5);
    };
    h.dialogs.choose(h.writeFile("l.lst", (four + "\r\n").toUtf8()));
    h->mnuListOpen_Click();
    EXPECT_EQ(h->List1->entries(), QStringList{four}) << "nothing inside the handler";

    QCoreApplication::processEvents();
    EXPECT_EQ(handOver.requests().waiting(), 0);
    EXPECT_EQ(h->List1->entries(), (QStringList{four, two, three}));
    const QStringList opened = h.playerEngine()->opened;
    EXPECT_EQ(opened.mid(opened.indexOf(two)), (QStringList{two, three})) << "the list's first entry never plays";
    EXPECT_EQ(h.playerEngine()->commands.filter("rate"), QStringList{"rate 1.5"});
    EXPECT_EQ(seen, QStringList{"four.wav,two.mid,three.mp3"});
}

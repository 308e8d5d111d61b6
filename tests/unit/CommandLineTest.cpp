// The command line, read before any window is made; and where the file
// dialogs start.
#include "main/CommandLine.h"
#include "main/RealPlatform.h"

#include <gtest/gtest.h>

TEST(CommandLine, EachArgumentListComesToItsAction)
{
    using A = CommandLine::Action;
    struct Row {
        QStringList arguments;
        A action;
        int exitStatus;
        QString textStart;
        QStringList files;
        QString cdDevice;
    };
    const QString caller = "/home/u/音楽";
    for (const Row& row : {
             Row{{}, A::Run, 0, {}, {}, {}},
             Row{{"a.wav", "sub/../b c.mid", "/abs/x.mp3"}, A::Run, 0, {},
                 {"/home/u/音楽/a.wav", "/home/u/音楽/b c.mid", "/abs/x.mp3"}, {}},
             Row{{"file:///tmp/%E6%9B%B2.wav", "https://example.org/a.mp3"}, A::Run, 0, {},
                 {"/tmp/曲.wav", "https://example.org/a.mp3"}, {}},
             // A byte that is not UTF-8 stays the byte it was (FileNames.h), named or addressed.
             Row{{u"caf\xDCE9.wav"_qs, "file:///tmp/caf%E9.wav"}, A::Run, 0, {},
                 {u"/home/u/音楽/caf\xDCE9.wav"_qs, u"/tmp/caf\xDCE9.wav"_qs}, {}},
             Row{{"--cd-device=disc.cue", "--", "--x.wav"}, A::Run, 0, {}, {"/home/u/音楽/--x.wav"},
                 "/home/u/音楽/disc.cue"},
             Row{{"--cd-device", "/dev/sr1"}, A::Run, 0, {}, {}, "/dev/sr1"},
             Row{{"--help", "a.wav"}, A::Help, 0, "Usage: sorvan [OPTION…] [FILE…]\n", {}, {}},
             Row{{"-v"}, A::Version, 0, "Sorvanel Ver.4.0 １９９９．１０．２５\n", {}, {}},
             Row{{"--bogus", "a.wav"}, A::Wrong, 2, "sorvan: Unknown option 'bogus'.", {}, {}},
             Row{{"--cd-device"}, A::Wrong, 2, "sorvan: Missing value after '--cd-device'.", {}, {}},
         }) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const CommandLine line = readCommandLine(QStringList{"/usr/lib/sorvan/Sorvan"} + row.arguments, caller);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(exitStatusOf(line.action), row.exitStatus);
        EXPECT_TRUE(line.text.startsWith(row.textStart)) << line.text.toStdString();
        if (row.action == A::Wrong)
            EXPECT_FALSE(line.text.contains('\n')) << "one line";
        EXPECT_EQ(line.files, row.files);
        EXPECT_EQ(line.cdDevice, row.cdDevice);
    }
}

TEST(DialogStartFolder, TheProgramFolderWhileWritableElseMusicElseHome)
{
    EXPECT_EQ(dialogStartFolder("/opt/s", true, "/h/Music", "/h"), "/opt/s");
    EXPECT_EQ(dialogStartFolder("/usr/lib/sorvan", false, "/h/Music", "/h"), "/h/Music");
    EXPECT_EQ(dialogStartFolder("/usr/lib/sorvan", false, "", "/h"), "/h");
}

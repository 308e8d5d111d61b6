#include "engine/vlc/VlcArguments.h"
#include "engine/vlc/VlcMediaEngine.h"
#include "support/SystemCalls.h"
#include "system/FileNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(VlcArguments, SoundfontAndVideoOutputFollowTheExtrasAndThePlatform)
{
    struct Row {
        const char* name;
        QStringList extra;
        QString platform;
        QString soundfont;          // what MIDI files are checked against
        QByteArray soundfontOption; // what libVLC is told
        bool dummyVideo;            // "--vout=vdummy" added by the engine
    };
    const QByteArray standard = "--soundfont=" + QFile::encodeName(defaultSoundfontPath());
    const QList<Row> rows = {
        {"on a desktop", {}, "xcb", defaultSoundfontPath(), standard, false},
        {"offscreen", {}, "offscreen", defaultSoundfontPath(), standard, true},
        {"minimal", {}, "minimal", defaultSoundfontPath(), standard, true},
        {"offscreen, output chosen", {"--vout=gl"}, "offscreen", defaultSoundfontPath(), standard, false},
        {"own soundfont", {"--soundfont=/x/もう一つ.sf2"}, "xcb", "/x/もう一つ.sf2",
         "--soundfont=" + QFile::encodeName("/x/もう一つ.sf2"), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QString soundfont;
        const QList<QByteArray> arguments = vlcArguments(row.extra, row.platform, &soundfont);
        EXPECT_EQ(soundfont, row.soundfont);
        QList<QByteArray> soundfontOptions;
        for (const QByteArray& argument : arguments)
            if (argument.startsWith("--soundfont="))
                soundfontOptions << argument;
        EXPECT_EQ(soundfontOptions, QList<QByteArray>{row.soundfontOption}) << "exactly one, and the right one";
        EXPECT_EQ(arguments.contains("--vout=vdummy"), row.dummyVideo);
        EXPECT_TRUE(arguments.contains("--no-metadata-network-access"));
        for (const QString& extra : row.extra) {
            if (!extra.startsWith(QLatin1String("--soundfont=")))
                EXPECT_TRUE(arguments.contains(extra.toLocal8Bit()));
        }
    }
}

TEST(VlcArguments, OnlyRegularReadableNonEmptyFilesReachLibVlc)
{
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile out(dir.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    };
    QDir(dir.path()).mkdir(QStringLiteral("folder.mid"));
    const QByteArray latin1Name = QFile::encodeName(dir.path()) + "/caf\xE9.mid";
    ASSERT_TRUE(testsys::writeFileWithRawName(latin1Name, QByteArray("MThd\0\0\0\x06", 8)));
    EXPECT_EQ(pathForVlc(sys::nameFromBytes(latin1Name)), latin1Name);
    const struct {
        QString path;
        MediaFileKind kind;
    } rows[] = {
        {write("tune.mid", QByteArray("MThd\0\0\0\x06", 8) + QByteArray(20, '\0')), MediaFileKind::Midi},
        {sys::nameFromBytes(latin1Name), MediaFileKind::Midi},
        {write("tune.rmi", QByteArray("RIFF\x20\0\0\0RMIDdata", 16)), MediaFileKind::Midi},
        {write("tone.wav", QByteArray("RIFF\x20\0\0\0WAVEfmt ", 16)), MediaFileKind::Other},
        {write("MThd.mp3", QByteArray("ID3") + QByteArray(40, '\0')), MediaFileKind::Other},
        {write("empty.wav", {}), MediaFileKind::Unplayable},
        {dir.filePath("missing.wav"), MediaFileKind::Unplayable},
        {dir.filePath("folder.mid"), MediaFileKind::Unplayable},
        {QString(), MediaFileKind::Unplayable},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        EXPECT_EQ(inspectMediaFile(row.path), row.kind);
    }
}

// The subtitle files of a video: which are found, and how each reaches
// libVLC (as it is, as a UTF-8 copy, or not at all).
#include "engine/vlc/SubtitleCopies.h"
#include "engine/vlc/SubtitleText.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

TEST(SubtitleFiles, EachFileBesideAVideoIsFoundAndHandedInItsEncoding)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("subs"));
    QDir(dir.path()).mkpath(QStringLiteral("Subs/movie.dir.srt"));  // a folder: not found
    const QString video = dir.filePath(QStringLiteral("movie.avi"));
    writeBytes(video, "RIFF");
    const QByteArray japanese = u"こんにちは、世界①～\r\n"_qs.toUtf8();
    const QByteArray cp932 = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd\x81\x41\x90\xa2\x8a\x45\x87\x40\x81\x60\r\n";
    const QByteArray big(kMaxSubtitleBytes + 10, 'a');
    enum Way { NotFound, AsItIs, Copy };
    // In the order they are offered.
    const struct {
        const char* name;
        QByteArray bytes;
        Way way;
        QByteArray copy = {};
    } rows[] = {
        {"movie.smi", "<SAMI>" + cp932, Copy, "<SAMI>" + japanese},
        {"movie.srt", japanese, AsItIs},
        {"movie.sub", "{1}{50}" + cp932, Copy, "{1}{50}" + japanese},
        {"subs/movie.ass", QByteArray("\xFF\xFE\x57\x30\x0A\x00", 6), Copy, u"し\n"_qs.toUtf8()},
        {"subs/movie.sub", QByteArray("\x00\x00\x01\xBA\x44", 5), NotFound},  // pictures
        {"movie.ja.srt", cp932, Copy, japanese},
        {"movie.ascii.srt", "Hello\n", AsItIs},
        {"movie.big.srt", big + "\xE3\x81\x82", AsItIs},         // UTF-8 so far
        {"movie.big-cp932.srt", cp932 + big, NotFound},         // too long to copy
        {"Movie.EN.SRT", "\xEF\xBB\xBFHello", AsItIs},
        {"Subs/movie.fr.ssa", "Caf\xE9", Copy, "Caf\xC3\xA9"},
        {"movie.empty.srt", "", NotFound},
        {"movie.ja.en.srt", japanese, NotFound},
        {"movies.srt", japanese, NotFound},
        {"other.srt", japanese, NotFound},
        {"movie.txt", japanese, NotFound},
    };
    for (const auto& row : rows)
        ASSERT_TRUE(writeBytes(dir.filePath(QString::fromUtf8(row.name)), row.bytes)) << row.name;

    PreparedSubtitles prepared = prepareSubtitles(video);
    qsizetype handed = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.way == NotFound)
            continue;
        ASSERT_LT(handed, prepared.files.size());
        const HandedSubtitle& file = prepared.files.at(handed++);
        const QString path = QUrl::fromEncoded(file.uri).toLocalFile();
        const QString name = QFileInfo(dir.filePath(QString::fromUtf8(row.name))).fileName();
        EXPECT_EQ(QFileInfo(path).fileName(), name) << "libVLC reads the same name";
        EXPECT_EQ(file.language, name.count(QLatin1Char('.')) == 2 ? name.section(QLatin1Char('.'), 1, 1) : QString());
        if (row.way == AsItIs) {
            EXPECT_EQ(path, dir.filePath(QString::fromUtf8(row.name)));
        } else {
            EXPECT_TRUE(path.startsWith(subtitleCopyFolder() + QLatin1Char('/'))) << path.toStdString();
            EXPECT_EQ(readBytes(path), row.copy);
        }
    }
    EXPECT_EQ(handed, prepared.files.size());

    const QString copies = prepared.copies->path();
    prepared = {};
    EXPECT_FALSE(QFileInfo::exists(copies)) << "the copies go with the last holder";
}

// A list file of another format read from the disk: entries resolved against
// the list's folder, addresses left out, and Windows paths found again under
// the list's folder within a bounded search.
#include "playlist/PlayListFile.h"
#include "playlist/WindowsPathSearch.h"
#include "support/TestFiles.h"
#include "system/FileNames.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Makes an empty file, creating its folders; name may hold bytes that are
// not UTF-8 (see FileNames.h).
void touch(const QString& path)
{
    QDir().mkpath(path.section(u'/', 0, -2));
    const int fd = ::open(sys::bytesOfName(path).constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    ::close(fd);
}

} // namespace

TEST(PlayListFile, WindowsPathsOfACp932ListAreFoundUnderItsFolder)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(u"リスト"_qs);
    for (const QString& file : {u"太郎/Music/曲.wav"_qs, u"Music/曲.wav"_qs, u"Deep/x/表ソ能.WAV"_qs, u"MUSIC2/Song.Wav"_qs,
                                u"near/dup.wav"_qs, u"near/a/b/dup.wav"_qs})
        touch(list + u'/' + file);
    const QString sjisName = sys::nameFromBytes("sjis/\x94\x5c.wav");  // 能.wav, named in Shift-JIS bytes
    touch(list + u'/' + sjisName);

    const struct {
        const char* written;
        QString found;  // under the list's folder; "=" as written; empty: left out
    } rows[] = {
        {"C:\\Users\\太郎\\Music\\曲.wav", u"太郎/Music/曲.wav"_qs},
        {"\\\\server\\share\\Music\\曲.wav", u"Music/曲.wav"_qs},
        {"Music\\曲.wav", u"Music/曲.wav"_qs},
        {"D:\\old\\表ソ能.wav", u"Deep/x/表ソ能.WAV"_qs},
        {"C:\\x\\music2\\SONG.WAV", u"MUSIC2/Song.Wav"_qs},
        {"E:\\dup.wav", u"near/dup.wav"_qs},
        {"C:\\old\\SJIS\\能.wav", sjisName},
        {"file:///C:/Users/%E5%A4%AA%E9%83%8E/Music/%E6%9B%B2.wav", u"太郎/Music/曲.wav"_qs},
        {"C:\\nowhere\\missing.wav", "="},
        {"http://radio.invalid/stream", {}},
        {"../other/b.wav", "../other/b.wav"},
    };
    QByteArray bytes = "#EXTM3U\r\n";
    QStringList expected;
    QStringEncoder cp932("Shift_JIS");
    for (const auto& row : rows) {
        const QString written = QString::fromUtf8(row.written);
        bytes += QByteArray(cp932.encode(written)) + "\r\n";
        if (row.found == "=")
            expected << written;
        else if (!row.found.isEmpty())
            expected << QDir::cleanPath(list + u'/' + row.found);
    }
    ASSERT_TRUE(writeBytes(list + u"/win.m3u"_qs, bytes));

    const std::optional<PlayListFile> read = readPlayListFile(list + u"/win.m3u"_qs);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->format, ListFormat::Id::M3u);
    EXPECT_EQ(read->paths, expected);
    EXPECT_EQ(read->skipped, QStringList{"http://radio.invalid/stream"});
    ::unlink(sys::bytesOfName(list + u'/' + sjisName).constData());  // Qt cannot name it to remove it
}

TEST(PlayListFile, TheSearchStopsAfterItsBudgetOfFolderEntries)
{
    QTemporaryDir dir;
    for (int i = 0; i < 30; ++i)
        touch(dir.filePath(QStringLiteral("a/%1.wav").arg(i)));
    touch(dir.filePath("z/deeper/wanted.wav"));
    for (const int budget : {20, 40}) {
        SCOPED_TRACE(budget);
        WindowsPathSearch search(dir.path(), budget);
        const std::optional<QString> found = search.find({"Music", "WANTED.wav"});
        EXPECT_EQ(found.has_value(), budget == 40);
        EXPECT_LE(search.entriesVisited(), budget);
        EXPECT_EQ(search.find({"Music", "WANTED.wav"}), found) << "a second search reads no folder again";
    }
}

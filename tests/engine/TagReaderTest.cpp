// The real tag reader on tagged files made here, and the player control
// with the real engine and reader: the exact text the properties window
// shows.
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/mediaplayer/MediaPropertiesWindow.h"
#include "engine/TagFixtures.h"
#include "engine/tags/TagLibTagReader.h"
#include "engine/vlc/VlcMediaEngine.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThreadPool>
#include <gtest/gtest.h>

using namespace tagfixture;

void PrintTo(const MediaTags& tags, std::ostream* out)
{
    *out << QStringList{tags.title, tags.artist, tags.album, tags.copyright}.join(u'|').toStdString();
}

namespace {

// "桜の歌～①", "山田太郎", "春のアルバム" in CP932.
const QByteArray kTitle("\x8D\xF7\x82\xCC\x89\xCC\x81\x60\x87\x40");
const QByteArray kArtist("\x8E\x52\x93\x63\x91\xBE\x98\x59");
const QByteArray kAlbum("\x8F\x74\x82\xCC\x83\x41\x83\x8B\x83\x6F\x83\x80");
const MediaTags kJapanese{u"桜の歌～①"_qs, u"山田太郎"_qs, u"春のアルバム"_qs, QString()};

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    EXPECT_TRUE(writeBytes(dir.filePath(name), bytes));
    return dir.filePath(name);
}

} // namespace

TEST(TagReader, ReadsEachKindOfFileAsItsAuthorWroteIt)
{
    const QByteArray utf16Title = QByteArray("\xFF\xFE", 2)
        + QByteArray(reinterpret_cast<const char*>(kJapanese.title.utf16()), kJapanese.title.size() * 2);
    const struct {
        const char* what;
        QString name;
        QByteArray bytes;
        MediaTags tags;
    } rows[] = {
        {"MP3, ID3v1 in CP932", "v1.mp3", mpegFrames() + id3v1(kTitle, kArtist, kAlbum), kJapanese},
        {"MP3, ID3v2.3 frames declared Latin-1 holding CP932", "v2.mp3",
         id3v2({{"TIT2", 0, kTitle}, {"TPE1", 0, kArtist}, {"TALB", 0, kAlbum}, {"TCOP", 0, "2026 " + kArtist}})
             + mpegFrames(),
         {kJapanese.title, kJapanese.artist, kJapanese.album, u"2026 山田太郎"_qs}},
        {"MP3, UTF-16 ID3v2 over an ID3v1 title", "utf16.mp3",
         id3v2({{"TIT2", 1, utf16Title}}) + mpegFrames() + id3v1("Other", "", ""), {kJapanese.title, {}, {}, {}}},
        {"MP3, Latin-1", "cafe.mp3", mpegFrames() + id3v1("Caf\xE9", "Andr\xE9", ""), {u"Café"_qs, u"André"_qs, {}, {}}},
        {"WAV, RIFF INFO in CP932", "info.wav",
         wavWithInfo(infoList({{"INAM", kTitle}, {"IART", kArtist}, {"ICOP", "(C) " + kArtist}})),
         {kJapanese.title, kJapanese.artist, {}, u"(C) 山田太郎"_qs}},
        {"AVI, INFO in CP932", "info.avi", aviWithInfo(infoList({{"INAM", kTitle}, {"IPRD", kAlbum}})),
         {kJapanese.title, {}, kJapanese.album, {}}},
        {"MIDI, a CP932 track name", "song.mid", midiWithName(kTitle, "(C) Sorvan"),
         {kJapanese.title, {}, {}, u"(C) Sorvan"_qs}},
        {"MIDI cut off inside its name", "cut.mid", midiWithName(kTitle).left(30), {}},
        {"a name and nothing else", "empty.mp3", {}, {}},
    };
    QTemporaryDir dir;
    const MediaTagReaderPtr reader = makeTagLibTagReader();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(reader->read(writeFile(dir, row.name, row.bytes)), row.tags);
    }
    EXPECT_EQ(reader->read(dir.path()), MediaTags()) << "a folder";
}

TEST(TagReader, ThePlayerShowsTheTagsOfWhatItPlaysInItsPropertiesWindow)
{
    QTemporaryDir dir;
    const QString wav = writeFile(dir, "info.wav", wavWithInfo(infoList({{"INAM", kTitle}, {"IPRD", kAlbum}})));
    MediaPlayer player([&dir] {
        return makeVlcMediaEngine({QStringLiteral("--aout=afile"),
                                   QStringLiteral("--audiofile-file=") + dir.filePath("out.wav"),
                                   QStringLiteral("--vout=vdummy")});
    });
    player.setTagReader(makeTagLibTagReader());
    int changes = 0;
    QObject::connect(&player, &MediaPlayer::tagsChanged, [&] { ++changes; });
    // The second of sound may be over before the tags come: it has played.
    bool played = false;
    QObject::connect(&player, &MediaPlayer::engineStateChanged,
                     [&](MediaEngine::State state) { played = played || state == MediaEngine::State::Playing; });
    player.setFileName(wav);
    ASSERT_TRUE(waitFor([&] { return changes == 1 && played; }));
    EXPECT_EQ(player.tags(), MediaTags({kJapanese.title, {}, kJapanese.album, {}}));

    player.showProperties();
    MediaPropertiesWindow* window = player.propertiesWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->field(u"タイトル"_qs), u"桜の歌～①"_qs);
    EXPECT_EQ(window->field(u"アルバム"_qs), u"春のアルバム"_qs);

    // Two more files at once: the old tags go at once, those of the file
    // replaced at once never come, and the last file has none.
    player.setFileName(writeFile(dir, "song.mid", midiWithName(kTitle)));
    player.setFileName(writeFile(dir, "plain.wav", mediatest::sineWav(1.0)));
    EXPECT_EQ(player.tags(), MediaTags());
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(player.tags(), MediaTags());
    EXPECT_EQ(changes, 2) << "cleared once";
    EXPECT_EQ(window->field(u"タイトル"_qs), QString());
    player.Stop();
}

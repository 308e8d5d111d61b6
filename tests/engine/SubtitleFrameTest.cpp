// A CP932 subtitle file through real libVLC, whose video memory output
// blends subtitles into the frames: the line is drawn as the same in UTF-8.

#include "engine/vlc/VlcSubtitles.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vlc/vlc.h>

#include <mutex>

namespace {

struct Frames {
    std::mutex mutex;
    QImage drawing, last;
};

unsigned setFormat(void** self, char* chroma, unsigned* width, unsigned* height, unsigned* pitches, unsigned* lines)
{
    auto* frames = static_cast<Frames*>(*self);
    std::memcpy(chroma, "RV32", 4);
    frames->drawing = QImage(int(*width), int(*height), QImage::Format_RGB32);
    pitches[0] = unsigned(frames->drawing.bytesPerLine());
    lines[0] = *height;
    return 1;
}

void* lockFrame(void* self, void** planes)
{
    planes[0] = static_cast<Frames*>(self)->drawing.bits();
    return nullptr;
}

void showFrame(void* self, void*)
{
    auto* frames = static_cast<Frames*>(self);
    std::lock_guard lock(frames->mutex);
    frames->last = frames->drawing.copy();
}

// The frame after 1.5 s of the video with its subtitle files, handed with
// the medium or once it plays; *seen gets what libVLC tells of the tracks.
QImage frameOf(const QString& video, bool handedLater, MediaSubtitles* seen)
{
    const PreparedSubtitles subtitles = prepareSubtitles(video);
    // One instance for all: libVLC's plugins do not all survive a reload.
    static const char* argv[] = {"--quiet", "--no-osd", "--aout=dummy", "--no-sub-autodetect-file"};
    static libvlc_instance_t* vlc = libvlc_new(4, argv);
    libvlc_media_t* media = libvlc_media_new_path(vlc, QFile::encodeName(video).constData());
    libvlc_media_player_t* player = libvlc_media_player_new_from_media(media);
    Frames frames;
    libvlc_video_set_format_callbacks(player, setFormat, nullptr);
    libvlc_video_set_callbacks(player, lockFrame, nullptr, showFrame, &frames);
    if (!handedLater)
        addSubtitlesToMedium(media, subtitles);
    libvlc_media_player_play(player);
    EXPECT_TRUE(waitFor([&] { return libvlc_media_player_get_state(player) == libvlc_Playing; }));
    if (handedLater)
        addSubtitlesToPlayer(player, subtitles, true);
    EXPECT_TRUE(waitFor([&] { return libvlc_media_player_get_time(player) > 1500; }));
    *seen = readSubtitles(player, media, subtitles.files);
    libvlc_media_player_stop(player);
    libvlc_media_player_release(player);
    libvlc_media_release(media);
    return frames.last;
}

TEST(SubtitleFrame, ACp932LineIsDrawnAsTheSameLineInUtf8AndUnlikeNone)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    const QString film = dir.filePath(QStringLiteral("gray.avi"));
    QProcess make;
    make.start(ffmpeg, {"-v", "error", "-f", "lavfi", "-i", "color=c=gray:size=320x240:rate=10:duration=4", "-c:v",
                        "mjpeg", film});
    ASSERT_TRUE(make.waitForFinished(30000));
    const QString srt = u"1\r\n00:00:00,000 --> 00:01:00,000\r\nこんにちは、世界。字幕の試験です①\r\n"_qs;
    const QByteArray subtitles[] = {srt.toUtf8(), QStringEncoder("CP932").encode(srt), {}};
    QList<QImage> frames;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QString video = dir.filePath(QStringLiteral("%1/clip.avi").arg(i));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(video).path()) && QFile::copy(film, video));
        if (!subtitles[i].isEmpty()) {
            ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("%1/clip.ja.srt").arg(i)), subtitles[i]));
        }
        MediaSubtitles seen;
        frames << frameOf(video, i == 1, &seen);  // the CP932 file once the video plays
        ASSERT_FALSE(frames.last().isNull());
        ASSERT_EQ(seen.tracks.size(), i < 2 ? 1 : 0);
        if (i < 2) {
            EXPECT_EQ(seen.tracks.first().language, u"ja"_qs);
            EXPECT_EQ(seen.current, seen.tracks.first().id) << "shown without being asked";
        }
    }
    EXPECT_TRUE(frames[0] == frames[1]) << "the CP932 line is drawn as the UTF-8 one";
    EXPECT_FALSE(frames[0] == frames[2]) << "and a line is drawn at all";
}

} // namespace

// Subtitle files beside a video, through real libVLC: the frames it renders
// off screen (its video memory output blends the subtitles in) show a CP932
// file's line exactly as the same line in UTF-8.

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

// One player drawing into memory; the last whole frame is kept.
struct OffscreenPlayer {
    libvlc_instance_t* vlc = nullptr;
    libvlc_media_player_t* player = nullptr;
    std::mutex mutex;
    QImage drawing, frame;

    OffscreenPlayer()
    {
        const char* argv[] = {"--quiet", "--no-osd", "--aout=dummy", "--no-sub-autodetect-file"};
        vlc = libvlc_new(4, argv);
        player = libvlc_media_player_new(vlc);
        libvlc_video_set_format_callbacks(
            player,
            [](void** self, char* chroma, unsigned* width, unsigned* height, unsigned* pitches, unsigned* lines) {
                auto* p = static_cast<OffscreenPlayer*>(*self);
                std::memcpy(chroma, "RV32", 4);
                p->drawing = QImage(int(*width), int(*height), QImage::Format_RGB32);
                pitches[0] = unsigned(p->drawing.bytesPerLine());
                lines[0] = *height;
                return 1u;
            },
            nullptr);
        libvlc_video_set_callbacks(
            player,
            [](void* self, void** planes) -> void* {
                planes[0] = static_cast<OffscreenPlayer*>(self)->drawing.bits();
                return nullptr;
            },
            nullptr,
            [](void* self, void*) {
                auto* p = static_cast<OffscreenPlayer*>(self);
                std::lock_guard lock(p->mutex);
                p->frame = p->drawing.copy();
            },
            this);
    }
    ~OffscreenPlayer()
    {
        libvlc_media_player_stop(player);
        libvlc_media_player_release(player);
        libvlc_release(vlc);
    }
    // Plays the video with its subtitles, handed before it starts or once it
    // plays; the frame after a second, and what libVLC tells of its tracks.
    QImage play(const QString& video, const PreparedSubtitles& subtitles, bool handedLater, MediaSubtitles* seen)
    {
        libvlc_media_t* media = libvlc_media_new_path(vlc, QFile::encodeName(video).constData());
        if (!handedLater)
            addSubtitlesToMedium(media, subtitles);
        libvlc_media_player_set_media(player, media);
        libvlc_media_player_play(player);
        EXPECT_TRUE(waitFor([&] { return libvlc_media_player_get_state(player) == libvlc_Playing; }));
        if (handedLater)
            addSubtitlesToPlayer(player, subtitles, true);
        EXPECT_TRUE(waitFor([&] { return libvlc_media_player_get_time(player) > 1500; }));
        *seen = readSubtitles(player, media, subtitles.files);
        libvlc_media_player_stop(player);
        libvlc_media_release(media);
        std::lock_guard lock(mutex);
        return frame;
    }
};

TEST(SubtitleFrame, ACp932FileIsDrawnLikeTheSameLineInUtf8AndUnlikeNone)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    const QString line = u"こんにちは、世界。字幕の試験です①"_qs;
    const QString srt = u"1\r\n00:00:00,000 --> 00:01:00,000\r\n"_qs + line + u"\r\n"_qs;
    const struct {
        const char* folder;
        QByteArray subtitle;  // none when empty
    } rows[] = {
        {"utf8", srt.toUtf8()},
        {"cp932", QStringEncoder("CP932").encode(srt)},
        {"none", {}},
    };
    OffscreenPlayer player;
    QList<QImage> frames;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.folder);
        QDir(dir.path()).mkdir(QString::fromLatin1(row.folder));
        const QString video = dir.filePath(QString::fromLatin1(row.folder) + u"/clip.avi"_qs);
        QProcess make;
        make.start(ffmpeg, {"-v", "error", "-y", "-f", "lavfi", "-i", "color=c=gray:size=320x240:rate=10:duration=4",
                            "-c:v", "mjpeg", video});
        ASSERT_TRUE(make.waitForFinished(30000));
        if (!row.subtitle.isEmpty()) {
            ASSERT_TRUE(writeBytes(dir.filePath(QString::fromLatin1(row.folder) + u"/clip.ja.srt"_qs), row.subtitle));
        }

        const PreparedSubtitles prepared = prepareSubtitles(video);
        MediaSubtitles seen;
        // The CP932 file is handed once the video plays, the UTF-8 one with it.
        frames << player.play(video, prepared, frames.size() == 1, &seen);
        ASSERT_FALSE(frames.last().isNull());
        if (!row.subtitle.isEmpty()) {
            ASSERT_EQ(seen.tracks.size(), 1);
            EXPECT_EQ(seen.tracks.first().language, u"ja"_qs);
            EXPECT_EQ(seen.current, seen.tracks.first().id) << "shown without being asked";
        }
    }
    EXPECT_TRUE(frames[0] == frames[1]) << "the CP932 line is drawn as the UTF-8 one";
    EXPECT_FALSE(frames[0] == frames[2]) << "and something is drawn at all";
}

} // namespace

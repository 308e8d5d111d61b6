// The CD control on a real disc image: libcdio reads a BIN/CUE image made
// here, and the libVLC engine plays its tracks to a WAV file (file audio
// output), offscreen. Tests of real playback wait for it, always with a bound.
#include "controls/cdplayer/CdAudioStream.h"
#include "engine/cdio/CdioDrive.h"
#include "controls/cdplayer/MMControl.h"
#include "engine/vlc/VlcMediaEngine.h"
#include "engine/DiscImage.h"
#include "engine/MediaTestFiles.h"
#include "support/Fakes.h"
#include "support/WaitFor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>

using Status = MMControl::Status;

namespace {

QByteArray readAll(MediaStream& stream, qint64 piece)
{
    QByteArray all;
    QByteArray buffer(piece, '\0');
    for (qint64 n; (n = stream.read(buffer.data(), piece)) > 0;)
        all.append(buffer.constData(), n);
    return all;
}

} // namespace

TEST(CdImage, ListsTheTracksAndReadsTheirSamples)
{
    DiscImage image;
    std::unique_ptr<CdDrive> drive = openCdioDrive(image.cue);
    ASSERT_NE(drive, nullptr);
    const QList<CdDrive::Track> tracks = drive->tracks();
    ASSERT_EQ(tracks.size(), 3);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(tracks[t].number, t + 1);
        EXPECT_EQ(tracks[t].firstSector, t * DiscImage::kSectorsPerTrack);
        EXPECT_EQ(tracks[t].sectorCount, DiscImage::kSectorsPerTrack) << "track " << t + 1;
    }

    QByteArray sectors(3 * CdDrive::kSectorBytes, '\0');
    ASSERT_TRUE(drive->readAudioSectors(sectors.data(), 150, 3));
    EXPECT_EQ(sectors, image.sectors(150, 3));
    ASSERT_TRUE(drive->readAudioSectors(sectors.data(), 3 * 113 - 3, 3)) << "up to the very last sector";
    EXPECT_EQ(sectors, image.sectors(3 * 113 - 3, 3));

    // An image has no tray: eject refuses, and the drive still reads and is
    // destroyed without harm afterwards.
    EXPECT_FALSE(drive->eject());
    EXPECT_TRUE(drive->readAudioSectors(sectors.data(), 0, 1));
    drive.reset();
}

TEST(CdImage, WhatIsNotADiscDoesNotOpen)
{
    QTemporaryDir dir;
    EXPECT_EQ(openCdioDrive(dir.filePath("missing.cue")), nullptr);
    QFile cue(dir.filePath("lonely.cue"));
    cue.open(QIODevice::WriteOnly);
    cue.write("FILE \"gone.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    cue.close();
    EXPECT_EQ(openCdioDrive(cue.fileName()), nullptr) << "a cue sheet without its samples";
}

TEST(CdImage, TrackStreamIsAWavFileOfTheTrack)
{
    DiscImage image;
    std::shared_ptr<CdDrive> drive = openCdioDrive(image.cue);
    ASSERT_NE(drive, nullptr);
    const CdDrive::Track second = drive->tracks().at(1);
    CdAudioStream stream(drive, second);
    const QByteArray samples = image.sectors(second.firstSector, second.sectorCount);
    ASSERT_EQ(stream.size(), 44u + samples.size());

    // Pieces that cut across the header and the chunks of sectors.
    const QByteArray all = readAll(stream, 1001);
    ASSERT_EQ(all.size(), qsizetype(stream.size()));
    EXPECT_EQ(all.left(4), "RIFF");
    EXPECT_EQ(qFromLittleEndian<quint32>(all.constData() + 4), stream.size() - 8);
    EXPECT_EQ(all.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(qFromLittleEndian<quint16>(all.constData() + 20), 1) << "PCM";
    EXPECT_EQ(qFromLittleEndian<quint16>(all.constData() + 22), 2);
    EXPECT_EQ(qFromLittleEndian<quint32>(all.constData() + 24), 44100u);
    EXPECT_EQ(qFromLittleEndian<quint32>(all.constData() + 28), 176400u);
    EXPECT_EQ(qFromLittleEndian<quint16>(all.constData() + 32), 4);
    EXPECT_EQ(qFromLittleEndian<quint16>(all.constData() + 34), 16);
    EXPECT_EQ(all.mid(36, 4), "data");
    EXPECT_EQ(qFromLittleEndian<quint32>(all.constData() + 40), quint32(samples.size()));
    EXPECT_TRUE(all.mid(44) == samples) << "the track's samples, and nothing of its neighbours";

    // Seeking back into the header and into the middle of a sector.
    const quint64 inside = 44 + 40 * CdDrive::kSectorBytes + 1234;
    ASSERT_TRUE(stream.seek(inside));
    QByteArray piece(5000, '\0');
    ASSERT_EQ(stream.read(piece.data(), piece.size()), piece.size());
    EXPECT_TRUE(piece == all.mid(inside, 5000));
    ASSERT_TRUE(stream.seek(10));
    EXPECT_EQ(stream.read(piece.data(), 40), 40);
    EXPECT_TRUE(piece.left(40) == all.mid(10, 40));
    EXPECT_FALSE(stream.seek(stream.size() + 1));
    ASSERT_TRUE(stream.seek(stream.size()));
    EXPECT_EQ(stream.read(piece.data(), 10), 0) << "the end";
}

TEST(CdImage, TrackStreamReportsAReadError)
{
    auto drive = std::make_shared<FakeCdDrive>();
    drive->discTracks << CdDrive::Track{1, 0, 20};
    // A track longer than the disc: its second chunk of sectors cannot be read.
    CdAudioStream stream(drive, CdDrive::Track{1, 0, 40});
    const qint64 readable = 44 + CdAudioStream::kChunkSectors * CdDrive::kSectorBytes;
    QByteArray buffer(readable + 100, '\0');
    EXPECT_EQ(stream.read(buffer.data(), readable + 100), readable) << "what was read is handed out first";
    EXPECT_EQ(stream.read(buffer.data(), 100), -1);
}

// The control with the real libVLC engine, writing its sound to a file.
class CdImagePlayback : public ::testing::Test {
protected:
    DiscImage image;
    QTemporaryDir outDir;
    int engines = 0;
    QString outFile() const { return outDir.filePath(QStringLiteral("out%1.wav").arg(engines)); }
    MMControl control{openCdioDrive, [this]() -> std::unique_ptr<MediaEngine> {
                          ++engines;
                          return makeVlcMediaEngine({"--aout=afile", "--audiofile-file=" + outFile(), "--vout=vdummy",
                                                     "--no-video"});
                      }};
    QList<MediaEngine::State> states;

    void SetUp() override
    {
        control.setDevicePath(image.cue);
        control.setDeviceType("CDAudio");
        control.setCommand("Open");
        ASSERT_TRUE(waitFor([this] { return control.status() != Status::Opening; }));
        ASSERT_TRUE(control.isOpen());
    }
    // Plays and makes sure the engine is there and watched.
    void play()
    {
        control.play();
        ASSERT_NE(control.engine(), nullptr) << "no media engine";
        if (states.isEmpty())
            QObject::connect(control.engine(), &MediaEngine::stateChanged, [this](auto s) { states << s; });
    }
    bool reached(MediaEngine::State state)
    {
        return waitFor([&] { return !states.isEmpty() && states.last() == state; });
    }
};

TEST_F(CdImagePlayback, PlaysTheSecondTrackAtItsOwnLevelAndLength)
{
    control.nextTrack();
    ASSERT_EQ(control.currentTrack(), 2);
    play();
    ASSERT_TRUE(waitFor([&] { return control.status() == Status::Stopped; })) << "the track never ended";
    EXPECT_TRUE(states.contains(MediaEngine::State::Ended));
    const QString out = outFile();
    control.setCommand("Close");
    ASSERT_TRUE(waitFor([] { return runningVlcWorkers() == 0; }));
    ASSERT_TRUE(waitFor([&] { return mediatest::measureWav(out).has_value(); }, 5000));

    const mediatest::Sound sound = *mediatest::measureWav(out);
    RecordProperty("rms", std::to_string(sound.rms));
    RecordProperty("seconds", std::to_string(sound.seconds));
    EXPECT_NEAR(sound.rms, DiscImage::kAmplitude[1] / std::sqrt(2.0), 0.03) << "track 2's level";
    EXPECT_NEAR(sound.seconds, 1.507, 0.15) << "the whole track";
}

TEST_F(CdImagePlayback, TransportFollowsTheButtons)
{
    play();
    ASSERT_TRUE(reached(MediaEngine::State::Playing));
    control.nextTrack();
    EXPECT_EQ(control.currentTrack(), 2);
    ASSERT_TRUE(reached(MediaEngine::State::Playing));
    control.pause();
    EXPECT_EQ(control.status(), Status::Paused);
    ASSERT_TRUE(reached(MediaEngine::State::Paused));
    control.pause();
    ASSERT_TRUE(reached(MediaEngine::State::Playing));
    control.previousTrack();
    EXPECT_EQ(control.currentTrack(), 1);
    ASSERT_TRUE(reached(MediaEngine::State::Playing));
    control.stop();
    EXPECT_EQ(control.status(), Status::Stopped);
    ASSERT_TRUE(reached(MediaEngine::State::Stopped));

    // An image cannot be ejected: the disc stays and plays on.
    std::optional<bool> ejected;
    QObject::connect(&control, &MMControl::ejectFinished, [&](bool e) { ejected = e; });
    control.eject();
    ASSERT_TRUE(waitFor([&] { return ejected.has_value(); }));
    EXPECT_FALSE(*ejected);
    EXPECT_TRUE(control.isOpen());
    play();
    ASSERT_TRUE(reached(MediaEngine::State::Playing));
    EXPECT_EQ(engines, 1);
}

TEST_F(CdImagePlayback, ClosingWhilePlayingLetsGoAtOnce)
{
    play();
    ASSERT_TRUE(reached(MediaEngine::State::Playing));
    control.setCommand("Close");
    EXPECT_FALSE(control.isOpen());
    EXPECT_EQ(control.engine(), nullptr);

    // Open again on the same image and play: the earlier engine's teardown
    // does not disturb the new one.
    control.setCommand("Open");
    ASSERT_TRUE(waitFor([this] { return control.status() != Status::Opening; }));
    states.clear();
    play();
    ASSERT_TRUE(reached(MediaEngine::State::Playing));
}

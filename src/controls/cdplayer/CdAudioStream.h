#pragma once
// One CD track as a WAV file: a 44-byte header (16-bit PCM, 44100 Hz,
// stereo) followed by the track's raw sectors, read from the drive in chunks
// as the engine asks for them. Read on the engine's threads; the stream
// shares the drive, so closing the CD control never frees it under a read.

#include "engine/CdDrive.h"
#include "engine/MediaEngine.h"

#include <QByteArray>
#include <memory>

class CdAudioStream final : public MediaStream {
public:
    static constexpr int kHeaderBytes = 44;
    // Sectors read from the drive at a time (about 0.2 s of sound).
    static constexpr int kChunkSectors = 16;

    CdAudioStream(std::shared_ptr<CdDrive> drive, const CdDrive::Track& track);

    quint64 size() const override;
    qint64 read(char* buffer, qint64 len) override;
    bool seek(quint64 offset) override;

    // The header of a WAV file holding dataBytes of CD audio.
    static QByteArray wavHeader(quint32 dataBytes);

private:
    std::shared_ptr<CdDrive> m_drive;
    CdDrive::Track m_track;
    QByteArray m_header;
    quint64 m_offset = 0;
    // The last chunk read: sectors [m_chunkFirst, m_chunkFirst + m_chunkCount)
    // of the track, counted from its start.
    QByteArray m_chunk;
    qint32 m_chunkFirst = 0;
    qint32 m_chunkCount = 0;
};

#include "controls/cdplayer/CdAudioStream.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {
constexpr quint32 kSampleRate = 44100;
constexpr quint16 kChannels = 2;
constexpr quint16 kBitsPerSample = 16;
} // namespace

CdAudioStream::CdAudioStream(std::shared_ptr<CdDrive> drive, const CdDrive::Track& track)
    : m_drive(std::move(drive)), m_track(track),
      m_header(wavHeader(static_cast<quint32>(track.sectorCount) * CdDrive::kSectorBytes))
{
}

QByteArray CdAudioStream::wavHeader(quint32 dataBytes)
{
    QByteArray header(kHeaderBytes, '\0');
    char* h = header.data();
    auto put32 = [h](int at, quint32 value) { qToLittleEndian(value, h + at); };
    auto put16 = [h](int at, quint16 value) { qToLittleEndian(value, h + at); };
    std::memcpy(h, "RIFF", 4);
    put32(4, 36 + dataBytes);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    put32(16, 16);                                            // size of the fmt chunk
    put16(20, 1);                                             // PCM
    put16(22, kChannels);
    put32(24, kSampleRate);
    put32(28, kSampleRate * kChannels * kBitsPerSample / 8);  // bytes per second
    put16(32, kChannels * kBitsPerSample / 8);                // bytes per frame
    put16(34, kBitsPerSample);
    std::memcpy(h + 36, "data", 4);
    put32(40, dataBytes);
    return header;
}

quint64 CdAudioStream::size() const
{
    return kHeaderBytes + static_cast<quint64>(m_track.sectorCount) * CdDrive::kSectorBytes;
}

bool CdAudioStream::seek(quint64 offset)
{
    if (offset > size())
        return false;
    m_offset = offset;
    return true;
}

qint64 CdAudioStream::read(char* buffer, qint64 len)
{
    if (len <= 0 || m_offset >= size())
        return 0;
    qint64 done = 0;
    if (m_offset < kHeaderBytes) {
        const qint64 n = std::min<qint64>(len, kHeaderBytes - static_cast<qint64>(m_offset));
        std::memcpy(buffer, m_header.constData() + m_offset, static_cast<size_t>(n));
        m_offset += static_cast<quint64>(n);
        done = n;
    }
    while (done < len && m_offset < size()) {
        const quint64 audioOffset = m_offset - kHeaderBytes;
        const auto sector = static_cast<qint32>(audioOffset / CdDrive::kSectorBytes);
        if (sector < m_chunkFirst || sector >= m_chunkFirst + m_chunkCount) {
            const qint32 count = std::min<qint32>(kChunkSectors, m_track.sectorCount - sector);
            m_chunk.resize(static_cast<qsizetype>(count) * CdDrive::kSectorBytes);
            if (!m_drive->readAudioSectors(m_chunk.data(), m_track.firstSector + sector, count)) {
                m_chunkCount = 0;
                // What was copied already is good; the error shows on the next read.
                return done > 0 ? done : -1;
            }
            m_chunkFirst = sector;
            m_chunkCount = count;
        }
        const quint64 inChunk = audioOffset - static_cast<quint64>(m_chunkFirst) * CdDrive::kSectorBytes;
        const qint64 n = std::min<qint64>(len - done, m_chunk.size() - static_cast<qint64>(inChunk));
        std::memcpy(buffer + done, m_chunk.constData() + inChunk, static_cast<size_t>(n));
        m_offset += static_cast<quint64>(n);
        done += n;
    }
    return done;
}

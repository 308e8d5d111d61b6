#include "support/Fakes.h"

#include <cstring>

bool FakeCdDrive::readAudioSectors(void* buffer, qint32 sector, qint32 count)
{
    for (const Track& track : discTracks) {
        if (sector >= track.firstSector && sector + count <= track.firstSector + track.sectorCount) {
            std::memset(buffer, track.number, static_cast<size_t>(count) * kSectorBytes);
            return true;
        }
    }
    return false;
}

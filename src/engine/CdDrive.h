#pragma once
// A CD audio disc, reached through libcdio in the real program and through a
// fake in tests.

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class CdDrive {
public:
    struct Track {
        int number = 0;        // 1-based track number as on the disc
        qint32 firstSector = 0;
        qint32 sectorCount = 0;
    };
    static constexpr int kSectorBytes = 2352;

    virtual ~CdDrive() = default;
    virtual QList<Track> tracks() const = 0;
    // Reads count raw CD-DA sectors starting at sector into buffer
    // (count * kSectorBytes bytes). Safe to call from a non-GUI thread.
    virtual bool readAudioSectors(void* buffer, qint32 sector, qint32 count) = 0;
    // Ejects the disc where the drive can; false where it cannot (images).
    virtual bool eject() = 0;
};

// Opens a CD device; an empty device means the computer's default drive.
// Returns nullptr when there is no drive, no disc or the device is busy.
using CdDriveOpener = std::function<std::unique_ptr<CdDrive>(const QString& device)>;

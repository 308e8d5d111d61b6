#pragma once
// A CD audio disc, reached through libcdio in the real program and through a
// fake in tests.

#include <QList>
#include <QMap>
#include <QString>
#include <functional>
#include <memory>

// The names a disc carries in its CD-Text, in the language the program
// prefers (Japanese, else the disc's first), as text.
struct CdText {
    struct Track {
        QString title;
        QString performer;
        bool operator==(const Track&) const = default;
    };
    QString album;                // the disc's title
    QString performer;            // the disc's performer
    QMap<int, Track> tracks;      // by track number as on the disc

    bool isEmpty() const { return album.isEmpty() && performer.isEmpty() && tracks.isEmpty(); }
    bool operator==(const CdText&) const = default;
};

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
    // The disc's CD-Text, read when the drive was opened; empty without.
    virtual CdText cdText() const { return {}; }
};

// Opens a CD device; an empty device means the computer's default drive.
// Returns nullptr when there is no drive, no disc or the device is busy.
using CdDriveOpener = std::function<std::unique_ptr<CdDrive>(const QString& device)>;

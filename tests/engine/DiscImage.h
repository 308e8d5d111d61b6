#pragma once
// A BIN/CUE audio disc image made in a temporary folder, for the CD control
// on real libcdio.

#include "engine/CdDrive.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>

// A three-track audio disc image: each track about 1.5 s of a sine of its
// own amplitude and pitch, padded with silence to whole sectors; with
// CD-Text packs when given (a CD-Text file that the cue sheet names).
struct DiscImage {
    static constexpr int kSectorsPerTrack = 113;  // 1.507 s
    static constexpr double kAmplitude[3] = {0.2, 0.5, 0.8};
    static constexpr double kFrequency[3] = {440, 660, 880};

    QTemporaryDir dir;
    QString cue;
    QByteArray bin;  // the raw samples of the whole disc

    explicit DiscImage(const QByteArray& cdText = {})
    {
        const int trackBytes = kSectorsPerTrack * CdDrive::kSectorBytes;
        const int frames = static_cast<int>(1.5 * 44100);
        bin = QByteArray(3 * trackBytes, '\0');
        for (int t = 0; t < 3; ++t) {
            char* out = bin.data() + t * trackBytes;
            for (int i = 0; i < frames; ++i) {
                const auto v = static_cast<qint16>(
                    std::lround(kAmplitude[t] * 32767.0 * std::sin(2 * M_PI * kFrequency[t] * i / 44100.0)));
                qToLittleEndian(v, out + 4 * i);
                qToLittleEndian(v, out + 4 * i + 2);
            }
        }
        QFile binFile(dir.filePath("disc.bin"));
        binFile.open(QIODevice::WriteOnly);
        binFile.write(bin);
        binFile.close();

        // Track starts in minutes:seconds:frames of 75 sectors a second.
        QByteArray sheet;
        if (!cdText.isEmpty() && writeBytes(dir.filePath("disc.cdt"), cdText))
            sheet += "CDTEXTFILE \"disc.cdt\"\n";
        sheet += "FILE \"disc.bin\" BINARY\n";
        for (int t = 0; t < 3; ++t) {
            const int s = t * kSectorsPerTrack;
            sheet += QStringLiteral("  TRACK %1 AUDIO\n    INDEX 01 %2:%3:%4\n")
                         .arg(t + 1, 2, 10, QLatin1Char('0'))
                         .arg(s / 75 / 60, 2, 10, QLatin1Char('0'))
                         .arg(s / 75 % 60, 2, 10, QLatin1Char('0'))
                         .arg(s % 75, 2, 10, QLatin1Char('0'))
                         .toLatin1();
        }
        cue = dir.filePath("disc.cue");
        QFile cueFile(cue);
        cueFile.open(QIODevice::WriteOnly);
        cueFile.write(sheet);
    }

    QByteArray sectors(qint32 first, qint32 count) const
    {
        return bin.mid(qsizetype(first) * CdDrive::kSectorBytes, qsizetype(count) * CdDrive::kSectorBytes);
    }
};

#include "engine/vlc/VlcArguments.h"

#include "engine/MidiHeader.h"
#include "engine/vlc/VlcMediaEngine.h"
#include "system/FileNames.h"
#include "system/RegularFile.h"

#include <QDir>
#include <QFile>

#ifndef SORVAN_SOUNDFONT
#define SORVAN_SOUNDFONT "/usr/share/sounds/sf2/TimGM6mb.sf2"
#endif

namespace {
constexpr QLatin1String kSoundfontOption("--soundfont=");
}

QString defaultSoundfontPath()
{
    return QStringLiteral(SORVAN_SOUNDFONT);
}

QList<QByteArray> vlcArguments(const QStringList& extraArguments, const QString& platformName, QString* soundfont)
{
    *soundfont = defaultSoundfontPath();
    bool videoOutputChosen = false;
    for (const QString& argument : extraArguments) {
        if (argument.startsWith(kSoundfontOption))
            *soundfont = argument.mid(kSoundfontOption.size());
        if (argument.startsWith(QLatin1String("--vout")))
            videoOutputChosen = true;
    }
    QList<QByteArray> arguments = {
        "--quiet",
        "--no-metadata-network-access",
        "--no-video-title-show",
        "--no-osd",
        "--no-snapshot-preview",
        "--no-xlib",
        // The player control keeps the screen on itself, once.
        "--no-disable-screensaver",
        // The engine finds the subtitle files beside a video itself and
        // hands them over as UTF-8 (SubtitleCopies.h).
        "--no-sub-autodetect-file",
        // TimGM6mb is quiet at the synthesizer's usual gain.
        "--synth-gain=1.0",
        "--soundfont=" + QFile::encodeName(*soundfont),
    };
    // Without native windows there is nothing to draw into, and libVLC must
    // not open a window of its own.
    if (!videoOutputChosen && (platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal")))
        arguments << "--vout=vdummy";
    for (const QString& argument : extraArguments)
        if (!argument.startsWith(kSoundfontOption))
            arguments << argument.toLocal8Bit();
    return arguments;
}

QByteArray pathForVlc(const QString& path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toUtf8();
#else
    return sys::bytesOfName(path);
#endif
}

MediaFileKind inspectMediaFile(const QString& path)
{
    sys::RegularFile file(path);
    if (!file.isOpen() || file.size() <= 0)
        return MediaFileKind::Unplayable;
    QByteArray head(kMidiHeadBytes, '\0');
    head.truncate(std::max<qint64>(file.read(head.data(), head.size()), 0));
    if (IsMidiHead(head))
        return MediaFileKind::Midi;
    return MediaFileKind::Other;
}

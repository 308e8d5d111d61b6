#include "engine/vlc/VlcArguments.h"

#include "engine/MidiHeader.h"

#include "engine/vlc/VlcMediaEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    return QFile::encodeName(path);
#endif
}

MediaFileKind inspectMediaFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= 0)
        return MediaFileKind::Unplayable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MediaFileKind::Unplayable;
    if (IsMidiHead(file.read(kMidiHeadBytes)))
        return MediaFileKind::Midi;
    return MediaFileKind::Other;
}

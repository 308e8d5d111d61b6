#pragma once
// What the engine tells libVLC before it plays anything, and what it checks
// about a file before libVLC is given its path. Plain functions: nothing
// here touches libVLC.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// libVLC's arguments: the program's own, then extraArguments (tests pass file
// audio output). A "--soundfont=<file>" among the extra ones replaces
// defaultSoundfontPath() and is stored in *soundfont. platformName is the Qt
// platform's name: without native windows ("offscreen", "minimal") video goes
// nowhere unless the extra arguments choose an output.
QList<QByteArray> vlcArguments(const QStringList& extraArguments, const QString& platformName, QString* soundfont);

// The path as libVLC wants it: the file system's own bytes (those that a
// name keeps, system/FileNames.h).
QByteArray pathForVlc(const QString& path);

enum class MediaFileKind { Unplayable, Midi, Other };

// Only a regular, readable, non-empty file is worth giving to libVLC: a
// folder, a FIFO or a device could make it wait for ever. A standard MIDI
// file (or one in a RIFF "RMID" wrapper) is told apart, since it needs the
// soundfont.
MediaFileKind inspectMediaFile(const QString& path);

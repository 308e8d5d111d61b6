#pragma once
// The two rules about media file names that the handlers share.

#include <QString>
#include <QStringList>

// The file-name part of a path: the text after the last separator of the
// platform ("/" here, "\" on Windows). A path without one is its own name; a
// path ending in one, or the empty path, gives the empty text. Nothing is
// trimmed. A name that keeps bytes that are not UTF-8 (system/FileNames.h) is
// given readably, its bytes decoded in the program's one order for byte
// strings (text/TextDecoding.h): "caf\xE9.wav" is "café.wav".
QString NameOfPath(const QString& path);
QString NameOfPath(const QString& path, QChar separator);

// True for a video file name: one ending in "avi", "mpg", "mpeg" or "mov",
// in any letter case. Everything else plays in the audio layout.
bool IsVideoFile(const QString& name);

// The suffixes that the media file dialog offers, music first, in the
// dialog's order: mid, wav, mp3, avi, mpeg, mpg, mov.
QStringList MediaFileSuffixes();

// True for a file name the media file dialog offers: one whose suffix after
// the last dot is one of MediaFileSuffixes, in any letter case.
bool IsMediaFileName(const QString& name);

// True for a path that holds a line break (CR or LF): it could never be
// written to a list file, one entry a line.
bool HoldsLineBreak(const QString& path);

#pragma once
// The media engine on libVLC.
//
// Every libVLC call runs on the engine's own worker thread; the GUI side only
// queues commands and returns at once, and destroying the engine only hands
// the worker over: it stops what plays and frees libVLC by itself. The libVLC
// instance is made when the first medium is opened, so an engine that never
// plays costs a thread and nothing more.
//
// A path reaches libVLC only when it names a regular, readable, non-empty
// file; anything else is reported as Problem::Unplayable. A MIDI file without
// the soundfont installed is reported as Problem::NoSoundfont. A medium that
// ends without libVLC ever finding a track in it (corrupt data that libVLC
// passes over in silence) is reported as Problem::Unplayable too, and one
// whose every track lacks a decoder as Problem::Unplayable (or, for a MIDI
// file, Problem::NoSoundfont).

#include "engine/MediaEngine.h"

#include <QStringList>

// extraArguments are added to libVLC's own (tests pass file audio output).
// A "--soundfont=<file>" among them replaces the default soundfont.
std::unique_ptr<MediaEngine> makeVlcMediaEngine(const QStringList& extraArguments = {});

// The soundfont that MIDI files are played with unless told otherwise.
QString defaultSoundfontPath();

// How many engines' workers are still running, tearing down included: 0 once
// every engine that was destroyed has let go of libVLC and its output.
int runningVlcWorkers();

#pragma once
// The media engine on libVLC.

#include "controls/MediaEngine.h"

#include <QStringList>

// extraArguments are added to libVLC's own (tests pass file audio output).
std::unique_ptr<MediaEngine> makeVlcMediaEngine(const QStringList& extraArguments = {});

#pragma once
// libVLC's callbacks into the engine. They run on libVLC's own threads: they
// copy plain values and post them on, to the GUI side's mailbox or to the
// worker as a command, and never call libVLC themselves.

#include <vlc/vlc.h>

#include <array>
#include <cstdint>

// The player events the worker listens to, and their callback; data is the
// VlcWorker.
extern const std::array<libvlc_event_e, 11> kPlayerEvents;
void onPlayerEvent(const libvlc_event_t* event, void* data);

// A stream medium's callbacks; opaque is its StreamSource.
int onStreamOpen(void* opaque, void** data, uint64_t* size);
ssize_t onStreamRead(void* data, unsigned char* buffer, size_t length);
int onStreamSeek(void* data, uint64_t offset);
void onStreamClose(void* data);

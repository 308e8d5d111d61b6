#pragma once
// The private folder where this user's window keeps its socket and its lock.
// Only a folder that this user owns, with mode 0700, and that is a real
// folder (no link) is trusted; one that exists is never changed. Tried in
// order: $XDG_RUNTIME_DIR, then <temp>/sorvan-runtime-<uid> (made 0700 when
// absent). When neither is private, a fresh folder of an unpredictable name
// beside the second is made for this process alone: a later launch cannot
// find it, so the window then stands alone.
//
// On Windows the socket is a pipe of the user's (QLocalServer's user access
// option) and the folder holds only the lock: the user's temporary folder.

#include <QString>

namespace sys {
struct RuntimeFolder {
    QString path;         // empty: not even a fresh folder could be made
    bool shared = false;  // the folder every launch of this user finds
};

// Whether path is this user's own real folder with mode 0700; with make, a
// missing one is made so first.
bool isPrivateFolder(const QString& path, bool make);
// The folder for this process, as above.
RuntimeFolder runtimeFolder();
// Removes a fresh folder made by runtimeFolder, with what is in it.
void removeFreshFolder(const RuntimeFolder& folder);
} // namespace sys

#pragma once
// One window per user session: the launch's side. The first launch holds a
// lock and listens on a local socket in the user's private runtime folder
// (LaunchListener); a later launch hands its names to that window and ends.
// A lock or socket left by a program that was killed does not stop the next
// start: the lock of a process that is gone is taken over.
//
// A later launch sends its names as their bytes (LaunchFrames.h), only to a
// window of its own user, and prints what the window refused from its own
// table and its own names. It waits for an answer at most timeoutMs in all;
// a window that has not answered by then gets no acknowledgement and takes
// nothing, and the launch opens a window of its own.

#include "desktop/LaunchFrames.h"

#include <QLockFile>
#include <QStringList>
#include <memory>
#include <optional>

namespace one_window {
// The socket of this user's window in the private runtime folder (a pipe
// name of the user on Windows).
QString socketName(const QString& runtimeFolder);

// Takes out of names what cannot travel: names longer than any path, and
// every name past the first kMaxNames or kMaxNamesBytes. Returns the lines
// that say so.
QStringList keepWhatTravels(QStringList& names);

// What a launch turned out to be.
struct Start {
    bool first = false;
    // The first launch: holds the lock while the window lives.
    std::unique_ptr<QLockFile> lock;
    // A later launch: the lines naming what the window did not take.
    QStringList refused;
    // A later launch: the window had no room, and took nothing.
    bool full = false;
};

// Hands names to the window of socket, or, when none runs, makes this launch
// the first. A launch that loses the race to be first tries the winner until
// it answers (at most timeoutMs).
Start handOverOrBeFirst(const QString& socket, const QStringList& names, int timeoutMs = 10000);

// Hands names to the window listening on socket, acknowledging its answer.
// Nothing when none answers within timeoutMs, the answer breaks the rules,
// or the window is another user's.
std::optional<launch_frames::Answer> sendToRunningWindow(const QString& socket, const QStringList& names,
                                                         int timeoutMs);

// The lines a launch prints for an answer to names.
QStringList linesOf(const launch_frames::Answer& answer, const QStringList& names);
} // namespace one_window

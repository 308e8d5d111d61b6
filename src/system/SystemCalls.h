#pragma once
// The few questions about the process that only the operating system can
// answer, in one place with one branch per system.

#include <QString>

namespace sys {
// Whether the process runs with the rights of the system's superuser (root).
// Always false on Windows, where nothing in the program depends on it.
bool runningAsSuperuser();
// A name for the user that is unique on this machine and safe in a file
// name: the numeric user id on Unix, the user name on Windows.
QString userKey();
// A folder that only this user may enter (for XDG_RUNTIME_DIR): predictable
// itself when it is, or can be made as, a real folder (no link) that this
// user owns with mode 0700; otherwise a fresh folder of an unpredictable name
// beside it, made private. Empty when neither can be had.
QString privateFolder(const QString& predictable);
} // namespace sys

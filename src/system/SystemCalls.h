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
// The process's current folder, kept as its bytes (FileNames.h).
QString currentFolder();
} // namespace sys

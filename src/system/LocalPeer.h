#pragma once
// Who is at the other end of a connected local socket. On Linux the kernel
// tells (SO_PEERCRED), elsewhere on Unix getpeereid; on Windows the pipe is
// made so that only the user's own processes reach it (QLocalServer's user
// access option), and the answer is always yes.

#include <QtGlobal>

namespace sys {
// True when the process at the other end of the local socket descriptor runs
// as this user (the same effective user id); false when it does not or
// cannot be told.
bool peerIsThisUser(qintptr socketDescriptor);
} // namespace sys

#include "system/LocalPeer.h"

#ifndef Q_OS_WIN
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace sys {
bool peerIsThisUser(qintptr socketDescriptor)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(socketDescriptor);
    return true;
#elif defined(Q_OS_LINUX)
    if (socketDescriptor < 0)
        return false;
    struct ucred peer {};
    socklen_t size = sizeof peer;
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer)
        return false;
    return peer.uid == ::geteuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    return socketDescriptor >= 0 && ::getpeereid(int(socketDescriptor), &uid, &gid) == 0 && uid == ::geteuid();
#endif
}
} // namespace sys

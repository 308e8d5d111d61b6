#include "main/ProcessExit.h"

#include "engine/vlc/ProcessEnd.h"
#include "system/BackgroundTask.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

int endProcess(int status)
{
    if (processEnd::runningWorkers() == 0 && !leavableWorkRunning())
        return status;
    std::cout.flush();
    std::cerr.flush();
    // Only the standard streams: flushing every stream would take glibc's
    // lock of all streams, which a libVLC thread opening a file may hold.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

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
    std::fflush(nullptr);
    std::_Exit(status);
}

#include "engine/vlc/ProcessEnd.h"

#include <QCoreApplication>

#include <cstdlib>

namespace processEnd {
namespace {

struct Gate {
    std::mutex mutex;
    std::condition_variable never;
    bool ending = false;
    int running = 0;
};

// Never destroyed: a parked worker still waits on it while the process ends.
Gate& gate()
{
    static auto* theGate = new Gate;
    return *theGate;
}

void ending()
{
    std::lock_guard lock(gate().mutex);
    gate().ending = true;
}

} // namespace

void workerStarted()
{
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(ending); });
    // The application object's end comes first, before the libraries' own
    // objects go; a worker started without one is caught at exit().
    static bool routineAdded = false;
    if (!routineAdded && QCoreApplication::instance()) {
        routineAdded = true;
        qAddPostRoutine(ending);
    }
    std::lock_guard lock(gate().mutex);
    ++gate().running;
}

int runningWorkers()
{
    std::lock_guard lock(gate().mutex);
    return gate().running;
}

GatedStep::GatedStep() : m_lock(gate().mutex)
{
    gate().never.wait(m_lock, [] { return !gate().ending; });
}

void GatedStep::workerEnded()
{
    --gate().running;
}

} // namespace processEnd


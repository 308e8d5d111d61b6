#pragma once
// The engine's workers and the end of the process.
//
// A worker may still be stopping a stalled medium when the program ends. The
// process does not wait for it: once the application object has gone (or
// exit() has begun), a worker that reaches its next step that frees anything
// stops there for good, and the process ends around it. Those steps run
// under one lock, so none of them is half done while the process's own
// objects are being destroyed.

#include <condition_variable>
#include <mutex>

namespace processEnd {

// A worker thread starts; from now on the end of the process is watched.
void workerStarted();
// How many workers are still running.
int runningWorkers();

// Held for one step that frees things. Its constructor never returns once
// the process is ending: the thread stays parked until the process is gone.
class GatedStep {
public:
    GatedStep();
    GatedStep(const GatedStep&) = delete;
    GatedStep& operator=(const GatedStep&) = delete;
    // The worker's last step is done.
    void workerEnded();

private:
    std::unique_lock<std::mutex> m_lock;
};

} // namespace processEnd

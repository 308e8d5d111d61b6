#pragma once
// Serves the event loop until done() holds or ms milliseconds have passed;
// true when done() held. For tests of things that finish on their own time
// (engine threads, the web engine, posted events); never a timing check.

#include <functional>

bool waitFor(const std::function<bool()>& done, int ms = 30000);

// STUB: replaced by the libVLC engine.
#include "controls/VlcMediaEngine.h"
std::unique_ptr<MediaEngine> makeVlcMediaEngine(const QStringList&) { return nullptr; }

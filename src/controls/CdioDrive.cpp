// STUB: replaced by the libcdio drive.
#include "controls/CdioDrive.h"
std::unique_ptr<CdDrive> openCdioDrive(const QString&) { return nullptr; }

#pragma once
// The CD drive (or a CD image) through libcdio.

#include "engine/CdDrive.h"

// device: a drive's device path or a .cue image; empty for the default drive.
std::unique_ptr<CdDrive> openCdioDrive(const QString& device);

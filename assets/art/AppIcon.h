#pragma once
// The program's icon, drawn in code so that the windows, the desktop entry
// and the version window all carry the same picture.

#include <QIcon>
#include <QImage>

namespace art {
// The icon drawn at size x size pixels.
QImage appIconImage(int size);
// The icon with its 16, 32, 48 and 256 pixel images.
QIcon appIcon();
} // namespace art

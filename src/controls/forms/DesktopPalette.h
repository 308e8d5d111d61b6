#pragma once
// The desktop's own colours with every role set explicitly, so that a control
// placed on the main window's black background inherits none of it.

#include <QPalette>

QPalette desktopPalette();

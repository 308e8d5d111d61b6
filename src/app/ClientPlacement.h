#pragma once
// Showing a top-level window with its own area (inside the frame a window
// manager adds) at a given place on the screen.

#include <QPoint>

class QWidget;

// Shows the window with the top-left corner of its area (below the title bar
// and inside the borders) at clientTopLeft in screen coordinates. The window
// manager is asked to keep the frame outside that place; should it still put
// the frame there, the window is moved once, as soon as the frame is known.
void showWithClientAt(QWidget* window, QPoint clientTopLeft);

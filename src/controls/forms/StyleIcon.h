#pragma once
// The desktop's standard icons (play, stop, …) for buttons, looked up when a
// button is first shown. The look-up reads the desktop's icon theme, which
// costs start-up time for controls that start hidden.

#include <QAbstractButton>
#include <QStyle>

void setStandardIconWhenShown(QAbstractButton* button, QStyle::StandardPixmap icon);

#include "controls/forms/DesktopPalette.h"

#include <QApplication>

QPalette desktopPalette()
{
    const QPalette desktop = QApplication::palette();
    QPalette palette;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            if (role != QPalette::NoRole)
                palette.setBrush(group, QPalette::ColorRole(role), desktop.brush(group, QPalette::ColorRole(role)));
    return palette;
}

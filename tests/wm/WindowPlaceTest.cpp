// The main window's place on the screen under a window manager that frames
// its windows (run by run-under-wm.sh, on the xcb platform).
#include "controls/forms/Twips.h"
#include "support/MainWindowHarness.h"
#include "support/WaitFor.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <gtest/gtest.h>

TEST(WindowPlace, ClientAreaBelowTheMenuBarSitsAtItsPlaceInsideTheFrame)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    MainWindowHarness h;
    h->showAtDesignPlace();
    ASSERT_TRUE(waitFor([&] { return h->frameGeometry() != h->geometry(); })) << "the window manager framed it";
    ASSERT_LT(h->frameGeometry().top(), h->geometry().top()) << "a title bar above the window";

    const QPoint place(twips::toPixels(150), twips::toPixels(615));
    const auto clientTopLeft = [&] { return h->centralWidget()->mapToGlobal(QPoint(0, 0)); };
    EXPECT_TRUE(waitFor([&] { return clientTopLeft() == place; }, 5000))
        << "client area at " << clientTopLeft().x() << "," << clientTopLeft().y() << ", frame at "
        << h->frameGeometry().x() << "," << h->frameGeometry().y();
}

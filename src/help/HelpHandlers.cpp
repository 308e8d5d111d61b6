// The help menu: the help page in the browser window, and the version window.
// Each window exists at most once; it is made on first use and deletes itself
// when the user closes it, or goes when the program ends.
#include "app/frmMain.h"

#include "help/frmBrowser22.h"
#include "help/frmVersion.h"

namespace {
void showModelessInFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

void frmMain::mnuHelpHtm_Click()
{
    if (!browserWindow)
        browserWindow = new frmBrowser22(platform().webViews);
    browserWindow->setAddressText(MyPath() + QStringLiteral("Trevixhelp.htm"));
    showModelessInFront(browserWindow);
    browserWindow->NavigateToAddress();
}

void frmMain::closeOtherWindows()
{
    // Closed, never deleted here: a page of the help window may be showing a
    // dialog of its own (an alert, a file chooser), whose event loop runs this
    // handler and still uses the view. Each window deletes itself on close,
    // once control is back in an outer event loop.
    if (browserWindow)
        browserWindow->close();
    if (versionWindow)
        versionWindow->close();
}

void frmMain::mnuHelpVersion_Click()
{
    if (!versionWindow)
        versionWindow = new frmVersion();
    showModelessInFront(versionWindow);
}

// The help menu: the help page in the browser window, and the version window.
// Each window exists at most once; it is made on first use and deletes itself
// when the user closes it, or goes when the program ends.
#include "app/frmMain.h"

#include "help/frmBrowser22.h"
#include "help/frmVersion.h"

#include <QDialog>
#include <memory>

namespace {
void showModelessInFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

// Closes window, which deletes itself. A page of the help window may be
// showing a dialog of its own (an alert, a file chooser, a login prompt):
// that dialog runs its own event loop, which is where this is called, and
// still uses the view. The window then only hides, and goes once the last
// such dialog is gone and control is back in an outer loop.
void closeWhenNoDialogRuns(QWidget* window)
{
    if (!window)
        return;
    QList<QDialog*> running;
    for (QDialog* dialog : window->findChildren<QDialog*>()) {
        if (dialog->isVisible())
            running << dialog;
    }
    if (running.isEmpty()) {
        window->close();
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->hide();
    auto remaining = std::make_shared<qsizetype>(running.size());
    for (QDialog* dialog : running) {
        QObject::connect(dialog, &QObject::destroyed, window, [window, remaining] {
            if (--*remaining == 0)
                window->deleteLater();
        });
    }
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
    // Closed, never deleted here: each deletes itself once nothing of it runs.
    closeWhenNoDialogRuns(browserWindow);
    closeWhenNoDialogRuns(versionWindow);
}

void frmMain::mnuHelpVersion_Click()
{
    if (!versionWindow)
        versionWindow = new frmVersion();
    showModelessInFront(versionWindow);
}

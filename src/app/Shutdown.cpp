// How the program ends: at once, closing every window, saving nothing.
#include "app/frmMain.h"

#include "controls/MMControl.h"
#include "controls/MediaPlayer.h"
#include "controls/Timer.h"
#include "help/frmBrowser22.h"
#include "help/frmVersion.h"

#include <QApplication>

void frmMain::Form_Unload()
{
    if (m_ending)
        return;
    m_ending = true;
    Timer1->setEnabled(false);
    closeOtherWindows();
    MediaPlayer1->Stop();
    MMControl1->setCommand(QStringLiteral("Close"));
    hide();
    QApplication::quit();
}

void frmMain::mnuEnd_Click()
{
    Form_Unload();
}

void frmMain::closeOtherWindows()
{
    // The other windows go without running their own close handlers.
    delete browserWindow.data();
    delete versionWindow.data();
}

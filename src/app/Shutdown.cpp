// How the program ends: at once, closing every window, saving nothing.
#include "app/frmMain.h"

#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/Timer.h"

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

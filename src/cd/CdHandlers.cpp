// Entering and leaving CD player mode.
#include "app/frmMain.h"

#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"

#include <QAction>
#include <QLabel>

void frmMain::mnuCD_Click()
{
    mnuFile->setEnabled(false);
    mnuList->setEnabled(false);
    mnuCD->setEnabled(false);
    mnuCDEnd->setEnabled(true);
    mnuHensyu->setEnabled(false);
    MediaPlayer1->setFileName(startSound());
    MediaPlayer1->setEnabled(false);
    MediaPlayer1->setVisible(false);
    Label2->setText(QString());
    MMControl1->setVisible(true);
    MMControl1->setDeviceType(QStringLiteral("CDAudio"));
    MMControl1->setCommand(QStringLiteral("Open"));
    setMode(Mode::Cd);
}

void frmMain::mnuCDEnd_Click()
{
    MMControl1->setVisible(false);
    MMControl1->setCommand(QStringLiteral("Close"));
    mnuFile->setEnabled(true);
    mnuList->setEnabled(true);
    mnuCD->setEnabled(true);
    mnuCDEnd->setEnabled(false);
    MediaPlayer1->setEnabled(true);
    MediaPlayer1->setVisible(true);
    mnuHensyu->setEnabled(true);
    setMode(Mode::Media);
}

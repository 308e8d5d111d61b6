// The window's mode and the questions the doors from outside ask of it.
//
// Outside CD player mode the file, list and edit menus are on; in it they
// are off, and the CD control is the player. So each question has its
// answer in the mode alone:
//   - files from outside are played and listed as "メディアファイルを開く"
//     does, which the file menu offers only outside CD mode;
//   - a list file is read as "リストファイルを開く" does, offered likewise;
//   - the desktop's next and previous step through the play list outside
//     CD mode; in it they step through the disc's tracks.
#include "app/frmMain.h"

void frmMain::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    ++m_listGeneration;
    emit cdModeChanged(mode == Mode::Cd);
}

bool frmMain::MayTakeFiles() const
{
    return m_mode == Mode::Media;
}

bool frmMain::MayOpenList() const
{
    return m_mode == Mode::Media;
}

bool frmMain::CanStepList() const
{
    return m_mode == Mode::Media;
}

// Adding, deleting and closing: editing the play list without a list file.
#include "app/frmMain.h"

#include "controls/forms/ListBox.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"

#include <QAction>
#include <QLabel>

namespace {
const QString kNothingSelected = QStringLiteral("削除ファイルが選択されていません。");
} // namespace

void frmMain::mnuHenAdd_Click()
{
    mnuFileOpen_Click();
}

void frmMain::mnuListDelete_Click()
{
    ListNo = List2->ListIndex();
    if (ListNo >= 0) {
        List1->RemoveItem(ListNo);
        List2->RemoveItem(ListNo);
        Label2->clear();
        MediaPlayer1->setFileName(startSound());
        mnuListReSave->setEnabled(true);
    } else {
        platform().messages->beep();
        showMessage(kNothingSelected);
    }
}

void frmMain::mnuListClose_Click()
{
    MediaPlayer1->setFileName(startSound());
    SB1->setPanelText(2, QString());
    Label2->clear();
    List1->Clear();
    List2->Clear();
    ++m_listGeneration;
    MediaPlayer1->Stop();
    MediaPlayer1->setEnabled(false);
    MediaPlayer1->setVisible(false);
    mnuListReSave->setEnabled(false);
    mnuListClose->setEnabled(false);
    mnuListDelete->setEnabled(false);
    mnuCdPlayer->setEnabled(true);
    mnuList->setEnabled(true);
    mnuListNewSave->setEnabled(false);
}

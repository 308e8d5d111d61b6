// Opening, saving and overwriting list files.
#include "app/frmMain.h"

#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "playback/PathRules.h"
#include "playlist/ListFile.h"

#include <QAction>
#include <QLabel>

namespace {
const QString kListDialogTitle = QStringLiteral("Sorvanel_ListFile");
const QString kListFilter = QStringLiteral("Sorvanel_List (*.lst)|*.lst");
const QString kOpenFailed = QStringLiteral("ファイルがありません");
const QString kSaveAsFailed = QStringLiteral("リストファイルを保存できません。");
const QString kOverwriteFailed = QStringLiteral("ファイルがありません。");

void prepareListDialog(CommonDialog& dialog, const QString& programFolder)
{
    dialog.InitDir = programFolder;
    dialog.DialogTitle = kListDialogTitle;
    dialog.Filter = kListFilter;
}
} // namespace

void frmMain::mnuListOpen_Click()
{
    quietPlayerForListOpen();
    if (!askListFileToOpen())
        return;
    readOpenedListFile(CommonDialog2.FileName);
}

void frmMain::quietPlayerForListOpen()
{
    MediaPlayer1->setEnabled(true);
    MediaPlayer1->setFileName(startSound());
    Label2->clear();
}

bool frmMain::askListFileToOpen()
{
    prepareListDialog(CommonDialog2, DialogFolder());
    return CommonDialog2.ShowOpen() != cdlCancel;
}

void frmMain::readOpenedListFile(const QString& path)
{
    List1->Clear();
    List2->Clear();
    ++m_listGeneration;
    mnuListClose->setEnabled(true);
    mnuListReSave->setEnabled(false);
    mnuListDelete->setEnabled(true);
    mnuListNewSave->setEnabled(true);
    ListFileName = path;
    SB1->setPanelText(2, ListFileName);
    // The whole file is read and decoded before the play list changes, so a
    // failure never leaves a part of it behind.
    const std::optional<QStringList> paths = readListFile(ListFileName);
    if (!paths) {
        showMessage(kOpenFailed);
        return;
    }
    List1->AddItems(*paths);
    MediaPlayer1->setEnabled(true);
    MMControl1->setVisible(false);
    mnuCdPlayer->setEnabled(false);
    List2->AddItems(*paths, NameOfPath);  // the names are made when shown
}

void frmMain::mnuListNewSave_Click()
{
    prepareListDialog(CommonDialog2, DialogFolder());
    if (CommonDialog2.ShowSave() == cdlCancel)
        return;
    SaveListName = CommonDialog2.FileName;
    if (!writeListFile(SaveListName, List1->entries()))
        showMessage(kSaveAsFailed);
    Label2->clear();
    mnuListClose->setEnabled(true);
}

void frmMain::mnuListReSave_Click()
{
    if (!writeListFile(ListFileName, List1->entries())) {
        showMessage(kOverwriteFailed);
        return;
    }
    mnuListClose->setEnabled(true);
}

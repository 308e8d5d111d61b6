// Opening a media file and playing a play-list entry.
#include "app/frmMain.h"

#include "controls/forms/ClickableFrame.h"
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "playback/PathRules.h"

#include <QAction>
#include <QLabel>

namespace {
const QString kMediaDialogTitle = QStringLiteral("MID WAV AVI MP3");
const QString kMediaFilter = QStringLiteral(
    "Music File(*.mid);(*.wav);(*.mp3)|*.mid;*.wav;*.mp3|"
    "Video File(*.avi);(*.mpeg);(*.mpg);(*.mov)|*.avi;*.mpeg;*.mpg;*.mov");
const QString kLineBreakRefused = QStringLiteral("改行を含むファイル名はリストに入れられません。");
} // namespace

void frmMain::mnuFileOpen_Click()
{
    if (!askMediaFileToOpen()) {
        mnuList->setEnabled(true);
        mnuFileOpen->setEnabled(true);
        mnuListNewSave->setEnabled(false);
        mnuCdPlayer->setEnabled(true);
        return;
    }
    if (!admitMediaFileName(CommonDialog1.FileName))
        return;
    playOpenedMediaFile(CommonDialog1.FileName);
}

bool frmMain::admitMediaFileName(const QString& path)
{
    if (!HoldsLineBreak(path))
        return true;
    showMessage(kLineBreakRefused);
    return false;
}

bool frmMain::askMediaFileToOpen()
{
    CommonDialog1.InitDir = DialogFolder();
    CommonDialog1.DialogTitle = kMediaDialogTitle;
    CommonDialog1.Filter = kMediaFilter;
    return CommonDialog1.ShowOpen() != cdlCancel;
}

void frmMain::playOpenedMediaFile(const QString& path)
{
    MediaPlayer1->setVisible(true);
    MediaPlayer1->setEnabled(true);
    MMControl1->setVisible(false);
    mnuCdPlayer->setEnabled(false);
    MediaPlayer1->setFileName(path);
    AddToPlayList({path});
    const QString name = NameOfPath(path);
    Label2->setText(name);
    mnuListNewSave->setEnabled(true);
    mnuListDelete->setEnabled(true);
    mnuListReSave->setEnabled(true);
    PlayFile = name;
    Image1->setVisible(!IsVideoFile(PlayFile));
}

void frmMain::AddToPlayList(const QStringList& paths)
{
    QStringList names;
    names.reserve(paths.size());
    for (const QString& path : paths)
        names << NameOfPath(path);
    List1->AddItems(paths);
    List2->AddItems(names);
}

void frmMain::List2_Click()
{
    MediaPlayer1->setVisible(true);
    MediaPlayer1->setEnabled(true);
    Label2->setText(List2->Text());
    ListNo = List2->ListIndex();
    PlayFile = List1->List(ListNo);
    Image1->setVisible(!IsVideoFile(PlayFile));
    MediaPlayer1->setFileName(List1->List(ListNo));
}

void frmMain::Picture2_Click()
{
}

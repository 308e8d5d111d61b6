// Opening, saving and overwriting list files.
#include "app/frmMain.h"

#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "playback/PathRules.h"
#include "playlist/ListFile.h"
#include "playlist/PlayListFile.h"

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

// The format named by name in the list formats table; the program's own list
// for the empty name.
const ListFormat& listFormatNamed(const QString& name)
{
    for (const ListFormat& format : ListFormats())
        if (format.name == name)
            return format;
    return ListFormatOf(ListFormat::Id::Sorvan);
}

// The play list's entries with the titles and lengths kept beside them; an
// entry without a title that is the player's file takes the title of its
// tags, where they have been read.
ListItems playListItems(const frmMain& form)
{
    const QStringList paths = form.List1->entries();
    const RowDetails& details = form.List1->details();
    const QString playing = form.MediaPlayer1->FileName();
    const QString tagTitle = form.MediaPlayer1->tags().title;
    ListItems items;
    items.reserve(paths.size());
    auto detail = details.cbegin();
    for (int row = 0; row < paths.size() && !paths[row].isEmpty(); ++row) {
        ListItem item{paths[row], {}, -1};
        while (detail != details.cend() && detail->row < row)
            ++detail;
        if (detail != details.cend() && detail->row == row) {
            item.title = detail->title;
            item.seconds = detail->seconds;
        }
        if (item.title.isEmpty() && item.location == playing)
            item.title = tagTitle;
        items.append(std::move(item));
    }
    return items;
}

// Writes the play list to path in format: the program's own list exactly
// as ever, the others with their titles and lengths.
bool writePlayList(const frmMain& form, const QString& path, const ListFormat& format)
{
    if (format.id == ListFormat::Id::Sorvan)
        return writeListFile(path, form.List1->entries());
    return writePlayListFile(path, format, playListItems(form));
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
    ListFileFormat = ListFormatToWrite(path).name;
    SB1->setPanelText(2, ListFileName);
    // The whole file is read and decoded before the play list changes, so a
    // failure never leaves a part of it behind.
    const std::optional<PlayListFile> list = readPlayListFile(ListFileName);
    if (!list) {
        showMessage(kOpenFailed);
        return;
    }
    reportSkipped(ListFileName, list->skipped);
    ListFileFormat = ListFormatOf(list->format).name;
    List1->AddItems(list->paths, list->details);
    MediaPlayer1->setEnabled(true);
    MMControl1->setVisible(false);
    mnuCdPlayer->setEnabled(false);
    // The names (or the list's own titles) are made when shown.
    List2->AddItems(list->paths, NameOfPath, list->details);
}

void frmMain::mnuListNewSave_Click()
{
    prepareListDialog(CommonDialog2, DialogFolder());
    if (CommonDialog2.ShowSave() == cdlCancel)
        return;
    SaveListName = CommonDialog2.FileName;
    if (!writePlayList(*this, SaveListName, ListFormatToWrite(SaveListName)))
        showMessage(kSaveAsFailed);
    Label2->clear();
    mnuListClose->setEnabled(true);
}

void frmMain::mnuListReSave_Click()
{
    if (!writePlayList(*this, ListFileName, listFormatNamed(ListFileFormat))) {
        showMessage(kOverwriteFailed);
        return;
    }
    mnuListClose->setEnabled(true);
}

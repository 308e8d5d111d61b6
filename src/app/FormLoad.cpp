// Start-up of the main window and the program folder.
#include "app/frmMain.h"

#include "controls/forms/FileListBox.h"
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "controls/forms/Timer.h"

#include <QAction>
#include <QDir>
#include <QLocale>

namespace {
// The time of day with hours, minutes and seconds in the regional format.
QString regionalTime(const QTime& time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));  // no time zone in the status bar
    return QLocale::system().toString(time, format.trimmed());
}
} // namespace

QString frmMain::AppPath() const
{
    return QDir::toNativeSeparators(m_platform.programFolder());
}

QString frmMain::DialogFolder() const
{
    return m_platform.dialogFolder ? QDir::toNativeSeparators(m_platform.dialogFolder()) : AppPath();
}

QString frmMain::MyPath() const
{
    QString folder = AppPath();
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

void frmMain::Form_Load()
{
    mnuListOpen->setEnabled(true);
    for (QAction* item : {mnuCDEnd, mnuListReSave, mnuListNewSave, mnuListDelete, mnuListClose})
        item->setEnabled(false);
    MediaPlayer1->setVisible(false);
    for (QAction* spacer : {mnuSpace, mnuSpace2, mnuSpace3, mnuSpace4, mnuSpace5})
        spacer->setEnabled(false);
    MMControl1->setVisible(false);

    const QDateTime now = m_platform.clock();
    SB1->setPanelText(3, QLocale::system().toString(now.date(), QLocale::ShortFormat));
    SB1->setPanelText(4, regionalTime(now.time()));

    PictureNo = 1;
    File1->setPath(MyPath());
    const QString folder = MyPath();
    QStringList paths;
    paths.reserve(File1->ListCount());
    for (int i = 0; i < File1->ListCount(); ++i)
        paths << folder + File1->List(i);
    List3->AddItems(paths);
    SlideNo = 1;
    Timer1->setEnabled(true);
    Timer1->setInterval(10000);
    mnuSetDft->setEnabled(false);
}

// The comparison of the window with the reference model after each action.
#include "model/ActionWorld.h"

#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "controls/forms/Timer.h"
#include "help/frmBrowser22.h"
#include "help/frmVersion.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QLabel>

namespace model {

QString ActionWorld::compare()
{
    frmMain& f = m_h.form();
    QStringList found;
    auto check = [&](bool ok, const QString& what) {
        ++checks;
        if (!ok)
            found << what;
    };
    const ReferenceModel& m = m_model;
    check(f.List1->entries() == m.list1, differs("List1", f.List1->entries(), m.list1));
    check(f.List2->entries() == m.names(), differs("List2", f.List2->entries(), m.names()));
    const QMap<QString, QAction*> items = menuItems(f);
    for (auto it = m.enabled.begin(); it != m.enabled.end(); ++it)
        check(items.value(it.key())->isEnabled() == it.value(),
              it.key() + (it.value() ? QStringLiteral(" is disabled") : QStringLiteral(" is enabled")));
    check(f.PlayFile == m.playFile, differs("PlayFile", f.PlayFile, m.playFile));
    check(f.ListNo == m.listNo && f.ListNo >= -1 && f.ListNo <= 32767, differs("ListNo", f.ListNo, m.listNo));
    check(f.PictureNo == m.pictureNo && f.PictureNo >= 0 && f.PictureNo <= 8, differs("PictureNo", f.PictureNo, m.pictureNo));
    check(f.SlideNo == m.slideNo && f.SlideNo >= 0 && f.SlideNo < qMax(2, m.pictureCount),
          differs("SlideNo", int(f.SlideNo), m.slideNo));
    check(f.SB1->panelText(2) == m.panel2, differs("panel 2", f.SB1->panelText(2), m.panel2));
    check(f.ListFileName == m.listFileName, differs("ListFileName", f.ListFileName, m.listFileName));
    check(f.SaveListName == m.saveListName, differs("SaveListName", f.SaveListName, m.saveListName));
    check(f.Label2->text() == m.label2, differs("Label2", f.Label2->text(), m.label2));
    check(f.MediaPlayer1->FileName() == m.playerFile, differs("MediaPlayer1.FileName", f.MediaPlayer1->FileName(), m.playerFile));
    check(f.MediaPlayer1->isHidden() != m.playerVisible, differs("MediaPlayer1 shown", !f.MediaPlayer1->isHidden(), m.playerVisible));
    check(f.MediaPlayer1->isEnabled() == m.playerEnabled, differs("MediaPlayer1 enabled", f.MediaPlayer1->isEnabled(), m.playerEnabled));
    check(f.MMControl1->isHidden() != m.cdVisible, differs("MMControl1 shown", !f.MMControl1->isHidden(), m.cdVisible));
    check(f.Timer1->isTicking() == m.timerOn, differs("Timer1 ticking", f.Timer1->isTicking(), m.timerOn));
    check(m_h.messages.events == m.messages, differs("messages", m_h.messages.events, m.messages));
    // The doors ask the window's mode, never a menu: CD mode is on exactly
    // while "CDを終了する" is offered, and the questions follow it.
    const bool cd = m.enabled.value(QStringLiteral("mnuCDEnd"));
    check((f.mode() == frmMain::Mode::Cd) == cd, differs("CD mode", f.mode() == frmMain::Mode::Cd, cd));
    check(f.MayTakeFiles() != cd && f.MayOpenList() != cd && f.CanStepList() != cd,
          differs("files taken, a list opened, the list stepped", f.MayTakeFiles(), !cd));
    int browsers = 0, versions = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        browsers += qobject_cast<frmBrowser22*>(window) ? 1 : 0;
        versions += qobject_cast<frmVersion*>(window) ? 1 : 0;
    }
    check(browsers == (m_helpOpen ? 1 : 0), differs("help windows", browsers, m_helpOpen ? 1 : 0));
    check(versions == (m_versionOpen ? 1 : 0), differs("version windows", versions, m_versionOpen ? 1 : 0));
    return found.join(QLatin1Char('\n'));
}

} // namespace model

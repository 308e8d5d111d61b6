#include "support/HandlerSteps.h"

#include "controls/mediaplayer/MediaPlayer.h"

#include <QAction>

void addMedia(MainWindowHarness& h, const QString& path)
{
    h.dialogs.choose(path);
    h->mnuFileOpen_Click();
}

void openList(MainWindowHarness& h, const QString& path)
{
    h.dialogs.choose(path);
    h->mnuListOpen_Click();
}

void saveListAs(MainWindowHarness& h, const QString& path)
{
    h.dialogs.choose(path);
    h->mnuListNewSave_Click();
}

QString lastOpened(MainWindowHarness& h)
{
    return h.playerEngine() && !h.playerEngine()->opened.isEmpty() ? h.playerEngine()->opened.last() : QString();
}

QList<bool> enabledMenus(std::initializer_list<const QAction*> items)
{
    QList<bool> result;
    for (const QAction* item : items)
        result << item->isEnabled();
    return result;
}

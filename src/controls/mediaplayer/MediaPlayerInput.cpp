// The media player control's mouse and keys: clicks and double clicks on the
// picture, the keys while it has focus and the context menu (both made of
// the control's commands), and what hiding or disabling it ends.

#include "controls/mediaplayer/MediaPlayer.h"

#include "controls/mediaplayer/MediaFullScreen.h"
#include "controls/mediaplayer/MediaPlayerCommands.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

bool MediaPlayer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != videoArea() && watched != screenArea())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove && isFullScreen())
        fullScreenWindow()->wake();
    const bool left = (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (!left || !isEnabled())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        // A double click is full screen alone: the first click's wait ends
        // and the second click's release does not start another.
        m_clickTimer.stop();
        m_releaseEndsDoubleClick = true;
        setFullScreen(!isFullScreen());
    } else if (m_releaseEndsDoubleClick) {
        m_releaseEndsDoubleClick = false;
    } else if (!m_clickTimer.isActive()) {
        m_clickTimer.start(QApplication::doubleClickInterval());
    }
    return true;
}

bool MediaPlayer::handleKey(QKeyEvent* event)
{
    return m_commands->runKey(event);
}

std::unique_ptr<QMenu> MediaPlayer::makeContextMenu()
{
    return m_commands->makeMenu(this);
}

void MediaPlayer::keyPressEvent(QKeyEvent* event)
{
    if (handleKey(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void MediaPlayer::keyReleaseEvent(QKeyEvent* event)
{
    // The Menu key's menu is open already.
    if (event->key() == Qt::Key_Menu)
        event->accept();
    else
        QWidget::keyReleaseEvent(event);
}

void MediaPlayer::contextMenuEvent(QContextMenuEvent* event)
{
    popupContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                  : mapToGlobal(rect().center()));
    event->accept();
}

void MediaPlayer::popupContextMenu(const QPoint& globalPos)
{
    QMenu* menu = makeContextMenu().release();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void MediaPlayer::hideEvent(QHideEvent* event)
{
    setFullScreen(false);
    releaseScreenSaver();
    QWidget::hideEvent(event);
}

void MediaPlayer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateScreenSaver();
}

void MediaPlayer::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        setFullScreen(false);
    QWidget::changeEvent(event);
}

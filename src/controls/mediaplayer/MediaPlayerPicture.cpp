// The media player control's picture: whether there is one, a click on it,
// its zoom, and full screen. (What plays is the session's; see MediaSession.)

#include "controls/mediaplayer/MediaPlayer.h"

#include <QScreen>

bool MediaPlayer::hasVideo() const
{
    const QSize video = m_view->videoSize();
    return hasMedia() && !m_view->hasMessage() && video.isValid() && !video.isEmpty();
}

void MediaPlayer::togglePlay()
{
    m_clickTimer.stop();
    if (hasMedia())
        m_session->togglePlay();
}

void MediaPlayer::setZoom(PlayerZoom zoom)
{
    m_view->setZoom(zoom);
}

bool MediaPlayer::isFullScreen() const
{
    return m_view->isFullScreen();
}

void MediaPlayer::setFullScreen(bool on)
{
    if (on == isFullScreen())
        return;
    if (on) {
        if (!hasVideo() || !isEnabled())
            return;
        QWidget* top = window();
        m_view->enterFullScreen(top && top->screen() ? top->screen() : screen());
    } else {
        m_awaitingKind = false;
        m_view->leaveFullScreen();
        // The window gets its keys back where they were.
        if (QWidget* top = window())
            top->activateWindow();
        setFocus(Qt::OtherFocusReason);
    }
    updateScreenSaver();
}

void MediaPlayer::leaveFullScreenFor(const QString& name)
{
    if (!isFullScreen())
        return;
    // The start sound is never a film; any other file shows what it is once
    // it plays (a picture keeps full screen, sound alone leaves it).
    if (name.isEmpty() || MediaSession::isStartSound(name))
        setFullScreen(false);
    else
        m_awaitingKind = true;
}

// What the user can ask of the media player control, from its bar, its
// context menu, its keys or the desktop's player controls: play, pause,
// stop, seek, volume, mute, rate, zoom and full screen. Without a medium
// they do nothing.

#include "controls/mediaplayer/MediaPlayer.h"

#include "controls/mediaplayer/MediaPlayerBar.h"
#include "controls/mediaplayer/MediaPlayerCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QScreen>

void MediaPlayer::Stop()
{
    if (m_engine)
        m_engine->stop();
}

void MediaPlayer::Play()
{
    if (m_engine)
        m_engine->play();
}

void MediaPlayer::Pause()
{
    if (m_engine)
        m_engine->pause();
}

void MediaPlayer::seek(qint64 positionMs)
{
    if (!m_engine)
        return;
    m_engine->seek(positionMs);
    m_bar->setPosition(positionMs);
    emit seeked(positionMs);
}

void MediaPlayer::setVolume(int percent)
{
    m_bar->setVolume(qBound(0, percent, 100));
}

qint64 MediaPlayer::position() const
{
    return m_bar->position();
}

qint64 MediaPlayer::duration() const
{
    return m_bar->duration();
}

int MediaPlayer::volume() const
{
    return m_bar->volume();
}

bool MediaPlayer::hasMedia() const
{
    return !m_fileName.isEmpty() && m_engine && m_state != MediaEngine::State::Error;
}

bool MediaPlayer::hasVideo() const
{
    const QSize video = m_view->videoSize();
    return hasMedia() && !m_view->hasMessage() && video.isValid() && !video.isEmpty();
}

bool MediaPlayer::isPlaying() const
{
    return m_bar->isPlaying();
}

bool MediaPlayer::canSeek() const
{
    return hasMedia() && m_bar->duration() > 0;
}

void MediaPlayer::updateSeekable()
{
    // The position buttons are the commands' own, enabled with them.
    m_commands->refresh();
    m_bar->setSeekable(m_commands->back->isEnabled());
}

void MediaPlayer::togglePlay()
{
    m_clickTimer.stop();
    if (hasMedia())
        m_bar->togglePlay();
}

void MediaPlayer::toStart()
{
    if (canSeek())
        seek(0);
}

void MediaPlayer::skip(qint64 deltaMs)
{
    if (!canSeek())
        return;
    seek(qBound<qint64>(0, m_bar->position() + deltaMs, m_bar->duration()));
}

void MediaPlayer::changeVolume(int delta)
{
    m_bar->setVolume(qBound(0, m_bar->volume() + delta, 100));
}

bool MediaPlayer::isMuted() const
{
    return m_bar->isMuted();
}

void MediaPlayer::setMuted(bool muted)
{
    m_bar->setMuted(muted);
}

void MediaPlayer::setRate(double rate)
{
    if (rate == m_rate)
        return;
    m_rate = rate;
    if (m_engine)
        m_engine->setRate(rate);
    emit rateChanged(rate);
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
    if (name.isEmpty() || QFileInfo(name).fileName().compare(QLatin1String("Start.wav"), Qt::CaseInsensitive) == 0)
        setFullScreen(false);
    else
        m_awaitingKind = true;
}

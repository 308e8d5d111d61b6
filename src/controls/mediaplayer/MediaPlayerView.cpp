// The media player control's picture: where it lies in the window (fitted or
// zoomed) and in full screen.

#include "controls/mediaplayer/MediaFullScreen.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/mediaplayer/MediaPlayerBar.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>

void MediaPlayer::applyLayout()
{
    PlayerLayoutInput in;
    in.design = m_design;
    in.bounds = parentWidget() ? parentWidget()->size() : QSize();
    in.barHeight = m_bar->sizeHint().height();
    in.barMinWidth = m_bar->minimumSizeHint().width();
    in.video = hasVideo() ? m_videoSize : QSize();
    in.message = !m_message->isHidden();
    in.zoom = m_zoom;
    const PlayerLayout layout = layOutPlayer(in);

    setGeometry(layout.control);
    m_message->setGeometry(layout.screen);
    if (isFullScreen()) {
        placePicture();
        return;
    }
    const bool picture = in.video.isValid();
    if (picture)
        m_screen->setGeometry(layout.screen);
    m_screen->setVisible(picture);
    m_video->setVisible(picture);
    placePicture();
    m_bar->setGeometry(layout.bar);
}

void MediaPlayer::placePicture()
{
    // In the window the zoom decides; full screen always fits the screen.
    if (!hasVideo())
        return;
    const QRect area = m_screen->rect();
    if (isFullScreen() || m_zoom == PlayerZoom::Fit) {
        m_video->setGeometry(fittedPicture(m_videoSize, area));
        return;
    }
    PlayerLayoutInput in;
    in.design = m_design;
    in.bounds = parentWidget() ? parentWidget()->size() : QSize();
    in.barHeight = m_bar->sizeHint().height();
    in.barMinWidth = m_bar->minimumSizeHint().width();
    in.video = m_videoSize;
    in.zoom = m_zoom;
    m_video->setGeometry(layOutPlayer(in).picture);
}

void MediaPlayer::setZoom(PlayerZoom zoom)
{
    m_zoom = zoom;
    applyLayout();
}

bool MediaPlayer::isFullScreen() const
{
    return m_fullScreen && m_fullScreen->isVisible();
}

void MediaPlayer::setFullScreen(bool on)
{
    if (on == isFullScreen())
        return;
    if (on) {
        if (!hasVideo() || !isEnabled())
            return;
        if (!m_fullScreen) {
            m_fullScreen = new MediaFullScreen(m_screen, m_bar);
            connect(m_fullScreen, &MediaFullScreen::keyPressed, this, [this](QKeyEvent* event) {
                event->setAccepted(handleKey(event));
            });
            connect(m_fullScreen, &MediaFullScreen::contextMenuRequested, this, &MediaPlayer::popupContextMenu);
            connect(m_fullScreen, &MediaFullScreen::closeRequested, this, [this] { setFullScreen(false); });
        }
        QWidget* top = window();
        m_fullScreen->enter(top && top->screen() ? top->screen() : screen());
        m_screen->show();
        m_video->show();
        placePicture();
    } else {
        m_awaitingKind = false;
        m_fullScreen->leave(this);
        applyLayout();
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

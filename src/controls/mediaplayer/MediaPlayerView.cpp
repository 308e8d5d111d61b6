// The media player control's picture: where it lies in the window (fitted or
// zoomed) and in full screen.

#include "controls/mediaplayer/MediaPlayerView.h"

#include "controls/mediaplayer/MediaFullScreen.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace {

void paintBlack(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

MediaPlayerView::MediaPlayerView(QWidget* control, std::function<bool()> hasPicture)
    : QObject(control), m_control(control), m_hasPicture(std::move(hasPicture))
{
    // The picture area clips the picture where it is zoomed past the edge.
    m_screen = new QWidget(control);
    m_screen->setObjectName(QStringLiteral("screen"));
    m_screen->setAccessibleName(QStringLiteral("映像"));
    paintBlack(m_screen);
    m_screen->hide();
    m_screen->installEventFilter(this);

    m_video = new QWidget(m_screen);
    m_video->setObjectName(QStringLiteral("video"));
    paintBlack(m_video);

    m_message = new QLabel(control);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    paintBlack(m_message);
    m_message->hide();
}

MediaPlayerView::~MediaPlayerView()
{
    if (m_fullScreen) {
        m_fullScreen->leave(m_control);
        delete m_fullScreen;
    }
}

void MediaPlayerView::setDesign(const QRect& rect)
{
    m_design = rect;
    applyLayout();
}

void MediaPlayerView::setZoom(PlayerZoom zoom)
{
    m_zoom = zoom;
    applyLayout();
}

void MediaPlayerView::reset()
{
    m_message->hide();
    m_message->clear();
    m_videoSize = QSize();
    m_zoom = PlayerZoom::Fit;
}

void MediaPlayerView::showMessage(const QString& text)
{
    m_message->setText(text);
    m_message->show();
    applyLayout();
}

QString MediaPlayerView::message() const
{
    return hasMessage() ? m_message->text() : QString();
}

bool MediaPlayerView::hasMessage() const
{
    return !m_message->isHidden();
}

PlayerLayoutInput MediaPlayerView::layoutInput(QSize video) const
{
    PlayerLayoutInput in;
    in.design = m_design;
    in.bounds = m_control->parentWidget() ? m_control->parentWidget()->size() : QSize();
    in.barHeight = m_bar->sizeHint().height();
    in.barMinWidth = m_bar->minimumSizeHint().width();
    in.video = video;
    in.zoom = m_zoom;
    return in;
}

void MediaPlayerView::applyLayout()
{
    PlayerLayoutInput in = layoutInput(m_hasPicture() ? m_videoSize : QSize());
    in.message = hasMessage();
    const PlayerLayout layout = layOutPlayer(in);

    m_control->setGeometry(layout.control);
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

void MediaPlayerView::placePicture()
{
    // In the window the zoom decides; full screen always fits the screen.
    if (!m_hasPicture())
        return;
    const QRect area = m_screen->rect();
    if (isFullScreen() || m_zoom == PlayerZoom::Fit) {
        m_video->setGeometry(fittedPicture(m_videoSize, area));
        return;
    }
    m_video->setGeometry(layOutPlayer(layoutInput(m_videoSize)).picture);
}

bool MediaPlayerView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_screen && event->type() == QEvent::Resize)
        placePicture();
    return QObject::eventFilter(watched, event);
}

bool MediaPlayerView::isFullScreen() const
{
    return m_fullScreen && m_fullScreen->isVisible();
}

MediaFullScreen* MediaPlayerView::fullScreenWindow() const
{
    return m_fullScreen;
}

void MediaPlayerView::enterFullScreen(QScreen* screen)
{
    if (!m_fullScreen) {
        m_fullScreen = new MediaFullScreen(m_screen, m_bar);
        connect(m_fullScreen, &MediaFullScreen::keyPressed, this, &MediaPlayerView::fullScreenKeyPressed);
        connect(m_fullScreen, &MediaFullScreen::contextMenuRequested, this,
                &MediaPlayerView::fullScreenMenuRequested);
        connect(m_fullScreen, &MediaFullScreen::closeRequested, this, &MediaPlayerView::fullScreenCloseRequested);
    }
    m_fullScreen->enter(screen);
    m_screen->show();
    m_video->show();
    placePicture();
}

void MediaPlayerView::leaveFullScreen()
{
    m_fullScreen->leave(m_control);
    applyLayout();
}

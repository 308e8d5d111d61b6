#include "controls/mediaplayer/MediaFullScreen.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QScreen>

MediaFullScreen::MediaFullScreen(QWidget* picture, QWidget* bar)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_picture(picture), m_bar(bar)
{
    setObjectName(QStringLiteral("fullScreen"));
    setWindowTitle(QStringLiteral("全画面表示"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_idle.setSingleShot(true);
    m_idle.setInterval(kIdleMs);
    connect(&m_idle, &QTimer::timeout, this, &MediaFullScreen::idle);
}

MediaFullScreen::~MediaFullScreen() = default;

void MediaFullScreen::enter(QScreen* screen)
{
    m_borrowed = true;
    m_picture->setParent(this);
    // Movement over the picture, not only over the black around it, shows
    // the bar.
    m_picture->setMouseTracking(true);
    for (QWidget* child : m_picture->findChildren<QWidget*>())
        child->setMouseTracking(true);
    m_picture->show();
    m_bar->setParent(this);
    // Where the picture has a native window of its own, the bar needs one
    // too to lie over it.
    if (m_picture->testAttribute(Qt::WA_NativeWindow)) {
        m_bar->setAttribute(Qt::WA_DontCreateNativeAncestors);
        m_bar->setAttribute(Qt::WA_NativeWindow);
    }
    if (screen)
        setGeometry(screen->geometry());
    placeChildren();
    // Without a window manager the geometry above is what covers the screen.
    showFullScreen();
    if (screen)
        setGeometry(screen->geometry());
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    wake();
}

void MediaFullScreen::leave(QWidget* home)
{
    m_idle.stop();
    setCursorShown(true);
    if (m_borrowed) {
        for (QWidget* child : {m_picture.data(), m_bar.data()}) {
            if (!child)
                continue;
            child->setParent(home);
            child->unsetCursor();
            child->show();
        }
        m_borrowed = false;
    }
    hide();
}

void MediaFullScreen::wake()
{
    setCursorShown(true);
    if (m_bar && m_borrowed) {
        m_bar->show();
        m_bar->raise();
    }
    m_idle.start();
}

void MediaFullScreen::idle()
{
    m_idle.stop();
    if (m_bar && m_borrowed)
        m_bar->hide();
    setCursorShown(false);
}

bool MediaFullScreen::isBarShown() const
{
    return m_bar && m_borrowed && !m_bar->isHidden();
}

void MediaFullScreen::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

void MediaFullScreen::contextMenuEvent(QContextMenuEvent* event)
{
    wake();
    emit contextMenuRequested(event->globalPos());
}

void MediaFullScreen::mouseMoveEvent(QMouseEvent* event)
{
    wake();
    QWidget::mouseMoveEvent(event);
}

void MediaFullScreen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

void MediaFullScreen::closeEvent(QCloseEvent* event)
{
    // Closing the window (also when the application quits) leaves full
    // screen; refusing it would keep the application from quitting.
    emit closeRequested();
    event->accept();
}

void MediaFullScreen::placeChildren()
{
    if (!m_borrowed)
        return;
    if (m_picture)
        m_picture->setGeometry(rect());
    if (m_bar) {
        const int height = m_bar->sizeHint().height();
        m_bar->setGeometry(0, height > this->height() ? 0 : this->height() - height, width(), height);
    }
}

void MediaFullScreen::setCursorShown(bool shown)
{
    for (QWidget* widget : {static_cast<QWidget*>(this), m_picture.data()}) {
        if (!widget)
            continue;
        if (shown)
            widget->unsetCursor();
        else
            widget->setCursor(Qt::BlankCursor);
    }
}

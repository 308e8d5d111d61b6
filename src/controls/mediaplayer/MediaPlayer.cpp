#include "controls/mediaplayer/MediaPlayer.h"

#include "controls/mediaplayer/MediaFullScreen.h"
#include "controls/mediaplayer/MediaPlayerBar.h"
#include "controls/mediaplayer/MediaPlayerCommands.h"
#include "controls/mediaplayer/MediaPropertiesWindow.h"
#include "controls/mediaplayer/MediaStatisticsWindow.h"
#include "system/ScreenSaverInhibitor.h"

#include <QAction>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace {

const QString kUnplayable = QStringLiteral("このファイルは再生できません");
const QString kNoSoundfont = QStringLiteral("MIDI の音色ファイルが見つかりません");

// Whether libVLC can draw into one of our windows: not offscreen.
bool hasNativeWindows()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows")
        || platform == QLatin1String("cocoa");
}

} // namespace

MediaPlayer::MediaPlayer(MediaEngineFactory engineFactory, QWidget* parent)
    : QWidget(parent), m_session(new MediaSession(std::move(engineFactory), this)),
      m_screenSaver(std::make_unique<ScreenSaverInhibitor>())
{
    setFocusPolicy(Qt::StrongFocus);

    m_view = new MediaPlayerView(this, [this] { return hasVideo(); });
    // Clicks on the picture (see eventFilter).
    m_view->screenArea()->installEventFilter(this);
    m_view->videoArea()->installEventFilter(this);
    connect(m_view, &MediaPlayerView::fullScreenKeyPressed, this,
            [this](QKeyEvent* event) { event->setAccepted(handleKey(event)); });
    connect(m_view, &MediaPlayerView::fullScreenMenuRequested, this, &MediaPlayer::popupContextMenu);
    connect(m_view, &MediaPlayerView::fullScreenCloseRequested, this, [this] { setFullScreen(false); });

    m_bar = new MediaPlayerBar(*m_session, this);
    m_bar->setObjectName(QStringLiteral("bar"));
    m_view->setBar(m_bar);

    m_commands = new MediaPlayerCommands(this);
    m_commands->refresh();
    // The bar's position buttons are the commands', enabled with them.
    connect(m_bar, &MediaPlayerBar::toStartRequested, m_commands->toStart, &QAction::trigger);
    connect(m_bar, &MediaPlayerBar::backRequested, m_commands->back, &QAction::trigger);
    connect(m_bar, &MediaPlayerBar::aheadRequested, m_commands->ahead, &QAction::trigger);
    connect(m_commands->back, &QAction::changed, m_bar, [this] { m_bar->setSeekable(m_commands->back->isEnabled()); });

    m_clickTimer.setSingleShot(true);
    connect(&m_clickTimer, &QTimer::timeout, this, &MediaPlayer::togglePlay);

    // What the picture, the screen saver and the windows follow.
    connect(m_session, &MediaSession::engineMade, this, &MediaPlayer::attachEngine);
    connect(m_session, &MediaSession::mediumChanged, this, &MediaPlayer::onMediumChanged);
    connect(m_session, &MediaSession::stateChanged, this, &MediaPlayer::onStateChanged);
    connect(m_session, &MediaSession::positionChanged, this, &MediaPlayer::askKindWhileAwaited);
    connect(m_session, &MediaSession::tagsChanged, this, [this] {
        if (m_properties)
            m_properties->showTags(m_session->tags());
        emit tagsChanged();
    });
}

MediaPlayer::~MediaPlayer()
{
    delete m_view;  // gives back what full screen borrowed
    m_screenSaver.reset();  // lets the screen blank again
    // libVLC lets go of the video window before the window goes.
    delete m_session;
}

void MediaPlayer::setFileName(const QString& name)
{
    if (!name.isEmpty())
        leaveFullScreenFor(name);
    m_session->open(name);
}

void MediaPlayer::onMediumChanged(const QString& name)
{
    if (name.isEmpty())
        return;
    m_view->reset();
    updateScreenSaver();
    m_view->applyLayout();
    if (m_properties)
        m_properties->showFile(m_session->localPath());
}

void MediaPlayer::setDesignGeometry(const QRect& rect)
{
    m_view->setDesign(rect);
}

QString MediaPlayer::message() const
{
    return m_view->message();
}

void MediaPlayer::attachEngine(MediaEngine* engine)
{
    connect(engine, &MediaEngine::problem, this, &MediaPlayer::onProblem);
    connect(engine, &MediaEngine::videoSizeChanged, this, &MediaPlayer::onVideoSize);
    connect(engine, &MediaEngine::infoReady, this, &MediaPlayer::onInfo);
    if (hasNativeWindows()) {
        // Only the picture area and the picture get windows of their own
        // (the area's clips the picture); their parents stay as they are.
        for (QWidget* widget : {screenArea(), videoArea()}) {
            widget->setAttribute(Qt::WA_DontCreateNativeAncestors);
            widget->setAttribute(Qt::WA_NativeWindow);
        }
        engine->setVideoWindow(videoArea()->winId());
    }
}

void MediaPlayer::onStateChanged(MediaEngine::State state)
{
    if (state == MediaEngine::State::Playing)
        askKindWhileAwaited();
    updateScreenSaver();
    emit engineStateChanged(state);
}

void MediaPlayer::onProblem(MediaEngine::Problem problem)
{
    switch (problem) {
    case MediaEngine::Problem::Unplayable:
        showMessage(kUnplayable);
        break;
    case MediaEngine::Problem::NoSoundfont:
        showMessage(kNoSoundfont);
        break;
    case MediaEngine::Problem::None:
        break;
    }
}

void MediaPlayer::onVideoSize(QSize size)
{
    m_view->setVideoSize(size);
    if (hasVideo())
        m_awaitingKind = false;
    else
        leaveFullScreenFor(QString());
    m_view->applyLayout();
    m_commands->refresh();
    updateScreenSaver();
}

void MediaPlayer::askKindWhileAwaited()
{
    // Until the tracks are known, a file given in full screen keeps asking.
    if (m_awaitingKind && engine())
        engine()->requestInfo();
}

void MediaPlayer::onInfo(const MediaInfo& info)
{
    if (!m_awaitingKind || info.tracks.isEmpty())
        return;
    m_awaitingKind = false;
    const bool video = std::any_of(info.tracks.cbegin(), info.tracks.cend(), [](const MediaTrackInfo& track) {
        return track.kind == MediaTrackInfo::Kind::Video;
    });
    if (!video)
        setFullScreen(false);
}

void MediaPlayer::showMessage(const QString& text)
{
    leaveFullScreenFor(QString());
    m_view->showMessage(text);
}

void MediaPlayer::paintEvent(QPaintEvent*)
{
    // Above the bar the control is a black screen; the picture is fitted in.
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), m_bar->y()), Qt::black);
}

void MediaPlayer::showProperties()
{
    if (!hasMedia())
        return;
    if (!m_properties)
        m_properties = new MediaPropertiesWindow(engine(), this);
    m_properties->showFile(m_session->localPath());
    m_properties->setLength(duration());
    m_properties->showTags(tags());
    m_properties->show();
    m_properties->raise();
}

void MediaPlayer::showStatistics()
{
    if (!hasMedia())
        return;
    if (!m_statistics)
        m_statistics = new MediaStatisticsWindow(engine(), this);
    m_statistics->show();
    m_statistics->raise();
}

void MediaPlayer::updateScreenSaver()
{
    // The screen stays on only while a picture moves where it can be seen.
    if (m_screenSaver)
        m_screenSaver->setActive(isPlaying() && hasVideo()
                             && (isVisible() || isFullScreen()));
}

void MediaPlayer::releaseScreenSaver()
{
    if (m_screenSaver)
        m_screenSaver->setActive(false);
}

MediaFullScreen* MediaPlayer::fullScreenWindow() const
{
    return m_view->fullScreenWindow();
}

MediaPropertiesWindow* MediaPlayer::propertiesWindow() const
{
    return m_properties;
}

MediaStatisticsWindow* MediaPlayer::statisticsWindow() const
{
    return m_statistics;
}

#include "controls/mediaplayer/MediaPlayer.h"

#include "controls/mediaplayer/MediaFullScreen.h"
#include "controls/mediaplayer/MediaPlayerBar.h"
#include "controls/mediaplayer/MediaPlayerCommands.h"
#include "controls/mediaplayer/MediaPropertiesWindow.h"
#include "controls/mediaplayer/MediaStatisticsWindow.h"
#include "system/ScreenSaverInhibitor.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace {

const QString kUnplayable = QStringLiteral("このファイルは再生できません");
const QString kNoSoundfont = QStringLiteral("MIDI の音色ファイルが見つかりません");

// The local file a name stands for. A name without a folder lies in the
// current folder; a name that looks like a URL or a device is a file name too.
QString localPathOf(const QString& name)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(name));
}

// Whether libVLC can draw into one of our windows: not offscreen.
bool hasNativeWindows()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows")
        || platform == QLatin1String("cocoa");
}

} // namespace

MediaPlayer::MediaPlayer(MediaEngineFactory engineFactory, QWidget* parent)
    : QWidget(parent), m_engineFactory(std::move(engineFactory)),
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

    m_bar = new MediaPlayerBar(this);
    m_bar->setObjectName(QStringLiteral("bar"));
    m_view->setBar(m_bar);

    m_commands = new MediaPlayerCommands(this);
    m_commands->refresh();

    m_clickTimer.setSingleShot(true);
    connect(&m_clickTimer, &QTimer::timeout, this, &MediaPlayer::togglePlay);

    // The one place where what the user asks for reaches the engine.
    connect(m_bar, &MediaPlayerBar::playRequested, this, [this] { if (m_engine) m_engine->play(); });
    connect(m_bar, &MediaPlayerBar::pauseRequested, this, [this] { if (m_engine) m_engine->pause(); });
    connect(m_bar, &MediaPlayerBar::stopRequested, this, &MediaPlayer::Stop);
    connect(m_bar, &MediaPlayerBar::seekRequested, this, &MediaPlayer::seek);
    connect(m_bar, &MediaPlayerBar::toStartRequested, m_commands->toStart, &QAction::trigger);
    connect(m_bar, &MediaPlayerBar::backRequested, m_commands->back, &QAction::trigger);
    connect(m_bar, &MediaPlayerBar::aheadRequested, m_commands->ahead, &QAction::trigger);
    connect(m_bar, &MediaPlayerBar::volumeChanged, this, [this](int percent) {
        if (m_engine)
            m_engine->setVolume(percent);
        emit volumeChanged(percent);
    });
    connect(m_bar, &MediaPlayerBar::mutedChanged, this, [this](bool muted) {
        if (m_engine)
            m_engine->setMuted(muted);
    });
}

MediaPlayer::~MediaPlayer()
{
    delete m_view;  // gives back what full screen borrowed
    m_screenSaver.reset();  // lets the screen blank again
    // libVLC lets go of the video window before the window goes.
    m_engine.reset();
}

void MediaPlayer::setFileName(const QString& name)
{
    m_fileName = name;
    readTags(name.isEmpty() ? QString() : localPathOf(name));
    onSubtitles({});
    if (name.isEmpty()) {
        Stop();
        return;
    }
    leaveFullScreenFor(name);
    ensureEngine();
    m_view->reset();
    m_state = MediaEngine::State::Empty;
    m_bar->reset();
    updateScreenSaver();
    m_view->applyLayout();
    if (m_engine)
        m_engine->open(localPathOf(name));
    if (m_properties)
        m_properties->showFile(localPathOf(name));
    emit fileNameChanged(name);
}

void MediaPlayer::setDesignGeometry(const QRect& rect)
{
    m_view->setDesign(rect);
}

QString MediaPlayer::message() const
{
    return m_view->message();
}

void MediaPlayer::ensureEngine()
{
    if (m_engine || !m_engineFactory)
        return;
    m_engine = m_engineFactory();
    if (!m_engine)
        return;
    MediaEngine* engine = m_engine.get();
    connect(engine, &MediaEngine::stateChanged, this, &MediaPlayer::onEngineState);
    connect(engine, &MediaEngine::problem, this, &MediaPlayer::onProblem);
    connect(engine, &MediaEngine::videoSizeChanged, this, &MediaPlayer::onVideoSize);
    connect(engine, &MediaEngine::durationChanged, this, [this](qint64 ms) {
        m_bar->setDuration(ms);
        updateSeekable();
        emit durationChanged(ms);
    });
    connect(engine, &MediaEngine::positionChanged, this, &MediaPlayer::onPosition);
    connect(engine, &MediaEngine::infoReady, this, &MediaPlayer::onInfo);
    connect(engine, &MediaEngine::subtitlesChanged, this, &MediaPlayer::onSubtitles);
    engine->setVolume(m_bar->volume());
    engine->setMuted(m_bar->isMuted());
    if (m_rate != 1.0)
        engine->setRate(m_rate);
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

void MediaPlayer::onEngineState(MediaEngine::State state)
{
    m_state = state;
    switch (state) {
    case MediaEngine::State::Playing:
        m_bar->setPlaying(true);
        if (m_awaitingKind && m_engine)
            m_engine->requestInfo();
        break;
    case MediaEngine::State::Ended:
        m_bar->showEnd();
        break;
    case MediaEngine::State::Stopped:
        m_bar->setPlaying(false);
        m_bar->setPosition(0);
        break;
    case MediaEngine::State::Opening:
        break;
    default:
        m_bar->setPlaying(false);
        break;
    }
    updateSeekable();
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
    updateScreenSaver();
}

void MediaPlayer::onPosition(qint64 ms)
{
    m_bar->setPosition(ms);
    // Until the tracks are known, a file given in full screen keeps asking.
    if (m_awaitingKind && m_engine)
        m_engine->requestInfo();
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
        m_properties = new MediaPropertiesWindow(m_engine.get(), this);
    m_properties->showFile(localPathOf(m_fileName));
    m_properties->setLength(m_bar->duration());
    m_properties->showTags(m_tags);
    m_properties->show();
    m_properties->raise();
}

void MediaPlayer::showStatistics()
{
    if (!hasMedia())
        return;
    if (!m_statistics)
        m_statistics = new MediaStatisticsWindow(m_engine.get(), this);
    m_statistics->show();
    m_statistics->raise();
}

void MediaPlayer::updateScreenSaver()
{
    // The screen stays on only while a picture moves where it can be seen.
    if (m_screenSaver)
        m_screenSaver->setActive(m_state == MediaEngine::State::Playing && hasVideo()
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

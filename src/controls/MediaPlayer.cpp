#include "controls/MediaPlayer.h"

#include "controls/MediaPlayerBar.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

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

// The largest rectangle of the picture's shape inside area, centred.
QRect fitted(QSize picture, const QRect& area)
{
    const QSize size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

void paintBlack(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

MediaPlayer::MediaPlayer(MediaEngineFactory engineFactory, QWidget* parent)
    : QWidget(parent), m_engineFactory(std::move(engineFactory))
{

    m_video = new QWidget(this);
    m_video->setObjectName(QStringLiteral("video"));
    paintBlack(m_video);
    m_video->hide();
    m_video->installEventFilter(this);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    paintBlack(m_message);
    m_message->hide();

    m_bar = new MediaPlayerBar(this);
    m_bar->setObjectName(QStringLiteral("bar"));

    // The one place where what the user asks for reaches the engine.
    connect(m_bar, &MediaPlayerBar::playRequested, this, [this] { if (m_engine) m_engine->play(); });
    connect(m_bar, &MediaPlayerBar::pauseRequested, this, [this] { if (m_engine) m_engine->pause(); });
    connect(m_bar, &MediaPlayerBar::stopRequested, this, &MediaPlayer::Stop);
    connect(m_bar, &MediaPlayerBar::seekRequested, this, &MediaPlayer::seek);
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
    // libVLC lets go of the video window before the window goes.
    m_engine.reset();
}

void MediaPlayer::setFileName(const QString& name)
{
    m_fileName = name;
    if (name.isEmpty()) {
        Stop();
        return;
    }
    ensureEngine();
    m_message->hide();
    m_message->clear();
    m_videoSize = QSize();
    m_bar->reset();
    applyLayout();
    if (m_engine)
        m_engine->open(localPathOf(name));
    emit fileNameChanged(name);
}

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

void MediaPlayer::setDesignGeometry(const QRect& rect)
{
    m_design = rect;
    applyLayout();
}

QString MediaPlayer::message() const
{
    return m_message->isHidden() ? QString() : m_message->text();
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
    connect(engine, &MediaEngine::durationChanged, m_bar, &MediaPlayerBar::setDuration);
    connect(engine, &MediaEngine::durationChanged, this, &MediaPlayer::durationChanged);
    connect(engine, &MediaEngine::positionChanged, m_bar, &MediaPlayerBar::setPosition);
    engine->setVolume(m_bar->volume());
    engine->setMuted(m_bar->isMuted());
    if (hasNativeWindows()) {
        // Only the picture gets a window of its own; its parents stay as
        // they are.
        m_video->setAttribute(Qt::WA_DontCreateNativeAncestors);
        m_video->setAttribute(Qt::WA_NativeWindow);
        engine->setVideoWindow(m_video->winId());
    }
}

void MediaPlayer::onEngineState(MediaEngine::State state)
{
    switch (state) {
    case MediaEngine::State::Playing:
        m_bar->setPlaying(true);
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
    m_state = state;
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
    m_videoSize = size;
    applyLayout();
}

void MediaPlayer::showMessage(const QString& text)
{
    m_message->setText(text);
    m_message->show();
    applyLayout();
}

void MediaPlayer::paintEvent(QPaintEvent*)
{
    // Above the bar the control is a black screen; the picture is fitted in.
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), m_bar->y()), Qt::black);
}

bool MediaPlayer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_video && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && isEnabled()) {
        m_bar->togglePlay();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MediaPlayer::applyLayout()
{
    // The control sizes itself to its media: the whole design rectangle for a
    // picture or a message, just its bar for sound alone.
    const int barHeight = qMin(m_bar->sizeHint().height(), m_design.height());
    const bool message = !m_message->isHidden();
    const bool picture = !message && m_videoSize.isValid() && !m_videoSize.isEmpty();
    const int height = message || picture ? m_design.height() : barHeight;
    setGeometry(m_design.x(), m_design.y(), m_design.width(), height);

    const QRect above(0, 0, m_design.width(), height - barHeight);
    m_message->setGeometry(above);
    if (picture)
        m_video->setGeometry(fitted(m_videoSize, above));
    m_video->setVisible(picture);
    m_bar->setGeometry(0, height - barHeight, m_design.width(), barHeight);
}

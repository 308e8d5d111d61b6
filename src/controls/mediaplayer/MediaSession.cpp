#include "controls/mediaplayer/MediaSession.h"

#include "controls/mediaplayer/PlaybackRates.h"

#include <QDir>

MediaSession::MediaSession(MediaEngineFactory engineFactory, QObject* parent)
    : QObject(parent), m_engineFactory(std::move(engineFactory))
{
}

MediaSession::~MediaSession() = default;

QString MediaSession::startSound()
{
    return QStringLiteral("Start.wav");
}

bool MediaSession::isStartSound(const QString& name)
{
    return name == startSound();
}

QString MediaSession::localPath() const
{
    // A name without a folder lies in the current folder; a name that looks
    // like a URL or a device is a file name too.
    return m_fileName.isEmpty() ? QString() : QDir::cleanPath(QDir::current().absoluteFilePath(m_fileName));
}

bool MediaSession::hasFile() const
{
    return !m_fileName.isEmpty() && m_engine && m_state != MediaEngine::State::Error;
}

void MediaSession::open(const QString& name)
{
    m_fileName = name;
    readTags(localPath());
    m_state = MediaEngine::State::Empty;
    m_position = 0;
    m_duration = 0;
    if (name.isEmpty()) {
        if (m_engine)
            m_engine->stop();
    } else {
        ensureEngine();
        if (m_engine)
            m_engine->open(localPath());
    }
    emit mediumChanged(name);
}

void MediaSession::ensureEngine()
{
    if (m_engine || !m_engineFactory)
        return;
    m_engine = m_engineFactory();
    if (!m_engine)
        return;
    MediaEngine* engine = m_engine.get();
    connect(engine, &MediaEngine::stateChanged, this, &MediaSession::onEngineState);
    connect(engine, &MediaEngine::positionChanged, this, &MediaSession::setPosition);
    connect(engine, &MediaEngine::durationChanged, this, [this](qint64 ms) {
        m_duration = qMax<qint64>(0, ms);
        emit durationChanged(m_duration);
    });
    engine->setVolume(m_volume);
    engine->setMuted(m_muted);
    if (m_rate != 1.0)
        engine->setRate(m_rate);
    emit engineMade(engine);
}

void MediaSession::onEngineState(MediaEngine::State state)
{
    const MediaEngine::State before = m_state;
    m_state = state;
    // Played to its end, the medium stays there; stopped, it is back at the start.
    if (state == MediaEngine::State::Ended)
        setPosition(m_duration);
    else if (state == MediaEngine::State::Stopped)
        setPosition(0);
    emit stateChanged(state);
    if (state == MediaEngine::State::Playing && before != state && hasMedium())
        emit startedToSound();
}

void MediaSession::setPosition(qint64 positionMs)
{
    positionMs = qMax<qint64>(0, positionMs);
    if (positionMs == m_position)
        return;
    m_position = positionMs;
    emit positionChanged(positionMs);
}

void MediaSession::play()
{
    if (m_engine && !m_fileName.isEmpty())
        m_engine->play();
}

void MediaSession::pause()
{
    if (m_engine && !m_fileName.isEmpty())
        m_engine->pause();
}

void MediaSession::togglePlay()
{
    if (isPlaying())
        pause();
    else
        play();
}

void MediaSession::stop()
{
    if (m_engine)
        m_engine->stop();
}

void MediaSession::seek(qint64 positionMs)
{
    if (!m_engine)
        return;
    m_engine->seek(positionMs);
    setPosition(positionMs);
    emit seeked(positionMs);
}

void MediaSession::skip(qint64 deltaMs)
{
    if (canSeek())
        seek(qBound<qint64>(0, m_position + deltaMs, m_duration));
}

void MediaSession::setVolume(int percent)
{
    percent = qBound(0, percent, 100);
    if (percent == m_volume)
        return;
    m_volume = percent;
    if (m_engine)
        m_engine->setVolume(percent);
    emit volumeChanged(percent);
}

void MediaSession::setMuted(bool muted)
{
    if (muted == m_muted)
        return;
    m_muted = muted;
    if (m_engine)
        m_engine->setMuted(muted);
    emit mutedChanged(muted);
}

void MediaSession::setRate(double rate)
{
    if (!IsPlaybackRateInRange(rate) || rate == m_rate)
        return;
    m_rate = rate;
    if (m_engine)
        m_engine->setRate(rate);
    emit rateChanged(rate);
}

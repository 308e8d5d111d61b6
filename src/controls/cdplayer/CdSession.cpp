#include "controls/cdplayer/CdSession.h"

#include "system/BackgroundTask.h"
#include "controls/cdplayer/CdAudioStream.h"

CdSession::CdSession(CdDriveOpener opener, MediaEngineFactory engineFactory, QObject* parent)
    : QObject(parent), m_opener(std::move(opener)), m_engineFactory(std::move(engineFactory))
{
}

CdSession::~CdSession() = default;

void CdSession::open(const QString& device)
{
    close();
    if (!m_opener)
        return;
    const quint64 generation = m_generation;
    setStatus(Status::Opening);
    runInBackground(
        this, [opener = m_opener, device] { return std::shared_ptr<CdDrive>(opener(device)); },
        [this, generation](std::shared_ptr<CdDrive> drive) { openFinished(generation, std::move(drive)); });
}

void CdSession::openFinished(quint64 generation, std::shared_ptr<CdDrive> drive)
{
    if (generation != m_generation)
        return;
    m_tracks = drive ? drive->tracks() : QList<CdDrive::Track>();
    if (m_tracks.isEmpty()) {
        setStatus(Status::NoDisc);
        return;
    }
    m_cdText = drive->cdText();
    m_drive = std::move(drive);
    m_index = 0;
    setStatus(Status::Stopped);
}

void CdSession::close()
{
    ++m_generation;
    m_engine.reset();
    m_engineSounds = false;
    m_drive.reset();
    m_tracks.clear();
    m_cdText = {};
    m_index = 0;
    m_position = 0;
    m_ejecting = false;
    setStatus(Status::Closed);
}

void CdSession::previousTrack()
{
    if (!isOpen() || m_index == 0)
        return;
    --m_index;
    if (running())
        startTrack();
    else
        emit changed();
}

void CdSession::nextTrack()
{
    if (!isOpen() || m_index + 1 >= m_tracks.size())
        return;
    ++m_index;
    if (running())
        startTrack();
    else
        emit changed();
}

void CdSession::play()
{
    if (!isOpen())
        return;
    if (m_status == Status::Paused && m_engine) {
        m_engine->play();
        setStatus(Status::Playing);
        return;
    }
    if (m_status != Status::Playing)
        startTrack();
}

void CdSession::pause()
{
    if (!m_engine || !isOpen())
        return;
    if (m_status == Status::Playing) {
        m_engine->pause();
        setStatus(Status::Paused);
    } else if (m_status == Status::Paused) {
        m_engine->play();
        setStatus(Status::Playing);
    } else {
        emit changed();
    }
}

void CdSession::stop()
{
    if (m_engine && running()) {
        m_engine->stop();
        m_position = 0;
        setStatus(Status::Stopped);
    }
}

void CdSession::startTrack()
{
    if (!m_engine && m_engineFactory) {
        m_engine = m_engineFactory();
        if (m_engine) {
            connect(m_engine.get(), &MediaEngine::stateChanged, this, &CdSession::engineStateChanged);
            connect(m_engine.get(), &MediaEngine::positionChanged, this, [this](qint64 ms) {
                if (running())
                    m_position = qMax<qint64>(0, ms);
            });
        }
    }
    if (!m_engine)
        return;
    m_position = 0;
    m_engine->openStream(std::make_shared<CdAudioStream>(m_drive, m_tracks.at(m_index)));
    if (m_status == Status::Playing)
        emit changed();
    else
        setStatus(Status::Playing);
}

void CdSession::engineStateChanged(MediaEngine::State state)
{
    const bool sounded = m_engineSounds;
    m_engineSounds = state == MediaEngine::State::Playing;
    if (m_engineSounds && !sounded && running())
        emit startedToSound();
    const bool finished = state == MediaEngine::State::Ended || state == MediaEngine::State::Error
        || state == MediaEngine::State::Stopped;
    if (finished && running()) {
        m_position = 0;
        setStatus(Status::Stopped);
    }
}

void CdSession::eject()
{
    if (!isOpen() || m_ejecting)
        return;
    m_ejecting = true;
    emit changed();
    const quint64 generation = m_generation;
    runInBackground(
        this, [drive = m_drive] { return drive->eject(); },
        [this, generation](bool ejected) { ejectDone(generation, ejected); });
}

void CdSession::ejectDone(quint64 generation, bool ejected)
{
    if (generation == m_generation) {
        m_ejecting = false;
        if (ejected) {
            if (m_engine && running())
                m_engine->stop();
            m_drive.reset();
            m_tracks.clear();
            m_cdText = {};
            m_index = 0;
            m_position = 0;
            setStatus(Status::NoDisc);
        } else {
            emit changed();
        }
    }
    emit ejectFinished(ejected);
}

void CdSession::setStatus(Status status)
{
    const bool different = status != m_status;
    m_status = status;
    emit changed();
    if (different)
        emit statusChanged(status);
}

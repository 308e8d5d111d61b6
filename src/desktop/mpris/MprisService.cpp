#include "desktop/mpris/MprisService.h"

#include "desktop/mpris/MprisPlayerAdaptor.h"
#include "desktop/mpris/MprisRootAdaptor.h"
#include "desktop/mpris/NowPlaying.h"

#include <QDBusMessage>
#include <QFileInfo>
#include <QtNumeric>
#include <cmath>
#include <limits>

namespace {
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
} // namespace

MprisService::MprisService(MprisIdentity identity, const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_identity(std::move(identity)), m_bus(bus)
{
    new MprisRootAdaptor(this);
    auto* player = new MprisPlayerAdaptor(this);
    connect(this, &MprisService::seeked, player, &MprisPlayerAdaptor::Seeked);
    m_announced = announcedProperties();

    if (!m_bus.isConnected())
        return;
    // The object first, so that a client that sees the name finds it.
    if (!m_bus.registerObject(objectPath(), this, QDBusConnection::ExportAdaptors))
        return;
    if (!m_bus.registerService(m_identity.busName)) {
        m_bus.unregisterObject(objectPath());
        return;
    }
    m_registered = true;
}

MprisService::~MprisService()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(m_identity.busName);
    m_bus.unregisterObject(objectPath());
}

QDBusConnection MprisService::runningSessionBus()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool running = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        || (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")));
    if (!running)
        return QDBusConnection(QStringLiteral("mpris-no-session-bus"));
    return QDBusConnection::sessionBus();
}

void MprisService::setPlayer(NowPlaying* player)
{
    if (m_player == player)
        return;
    if (m_player)
        disconnect(m_player, nullptr, this, nullptr);
    m_player = player;
    if (player) {
        connect(player, &NowPlaying::changed, this, &MprisService::scheduleRefresh);
        connect(player, &NowPlaying::seeked, this, &MprisService::seeked);
    }
    scheduleRefresh();
}

bool MprisService::request(Request kind, std::function<void()> step)
{
    if (m_runner)
        return m_runner(std::move(step), kind);
    step();
    return true;
}

void MprisService::answerWithError(const QDBusError& error) const
{
    if (error.isValid() && calledFromDBus())
        sendErrorReply(error.name(), error.message());
}

QString MprisService::noRoomText()
{
    return QStringLiteral("Too many requests are waiting for the player; this one was not taken");
}

// ---- org.mpris.MediaPlayer2 ----

void MprisService::quit()
{
    if (onQuit)
        onQuit();
}

void MprisService::raise()
{
    if (onRaise)
        onRaise();
}

// ---- what is shown ----

QString MprisService::playbackStatus() const
{
    switch (m_player ? m_player->state() : NowPlaying::State::Stopped) {
    case NowPlaying::State::Playing:
        return QStringLiteral("Playing");
    case NowPlaying::State::Paused:
        return QStringLiteral("Paused");
    case NowPlaying::State::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

QDBusObjectPath MprisService::trackId() const
{
    if (!m_player || !m_player->track().present)
        return QDBusObjectPath(kNoTrack);
    const QString key = m_player->track().key;
    return QDBusObjectPath(m_identity.trackPrefix + QStringLiteral("/t%1").arg(qHash(key), 0, 16));
}

QVariantMap MprisService::metadata() const
{
    QVariantMap data{{QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId())}};
    if (!m_player)
        return data;
    const NowPlaying::Track track = m_player->track();
    if (!track.present)
        return data;
    data.insert(QStringLiteral("xesam:title"), track.title);
    if (!track.artist.isEmpty())
        data.insert(QStringLiteral("xesam:artist"), QStringList{track.artist});
    if (!track.album.isEmpty())
        data.insert(QStringLiteral("xesam:album"), track.album);
    if (!track.url.isEmpty())
        data.insert(QStringLiteral("xesam:url"), track.url);
    if (track.lengthUs > 0)
        data.insert(QStringLiteral("mpris:length"), track.lengthUs);
    return data;
}

qint64 MprisService::positionMicroseconds() const { return m_player ? m_player->positionUs() : 0; }
double MprisService::volume() const { return m_player ? m_player->volume() : 1.0; }
double MprisService::rate() const { return m_player ? m_player->rate() : 1.0; }
double MprisService::minimumRate() const { return m_player ? m_player->minimumRate() : 1.0; }
double MprisService::maximumRate() const { return m_player ? m_player->maximumRate() : 1.0; }
bool MprisService::canPlay() const { return m_player && m_player->canPlay(); }
bool MprisService::canPause() const { return m_player && m_player->canPause(); }
bool MprisService::canSeek() const { return m_player && m_player->canSeek(); }
bool MprisService::canGoNext() const { return m_player && m_player->canGoNext(); }
bool MprisService::canGoPrevious() const { return m_player && m_player->canGoPrevious(); }

// ---- what is asked ----
// Each request is judged when it runs, against the player of that moment.

void MprisService::setVolume(double volume)
{
    if (std::isnan(volume))
        return;
    m_wantedVolume = qBound(0.0, volume, 1.0);
    if (m_volumeWaits)
        return;  // the waiting request takes the latest value
    m_volumeWaits = true;
    if (!request(Request::Setting, [this] {
            m_volumeWaits = false;
            if (m_player)
                m_player->setVolume(m_wantedVolume);
        }))
        m_volumeWaits = false;
}

void MprisService::setRate(double rate)
{
    // A rate of 0 would mean pause; the player offers none below its minimum.
    if (!m_player || !(rate >= m_player->minimumRate() && rate <= m_player->maximumRate()))
        return;
    m_wantedRate = rate;
    if (m_rateWaits)
        return;
    m_rateWaits = true;
    if (!request(Request::Setting, [this] {
            m_rateWaits = false;
            if (m_player && m_wantedRate >= m_player->minimumRate() && m_wantedRate <= m_player->maximumRate())
                m_player->setRate(m_wantedRate);
        }))
        m_rateWaits = false;
}

bool MprisService::play()
{
    return request(Request::Transport, [this] {
        if (canPlay())
            m_player->play();
    });
}

bool MprisService::pause()
{
    return request(Request::Transport, [this] {
        if (canPause() && m_player->state() == NowPlaying::State::Playing)
            m_player->pause();
    });
}

bool MprisService::playPause()
{
    return request(Request::Transport, [this] {
        if (!m_player)
            return;
        if (m_player->state() == NowPlaying::State::Playing) {
            if (canPause())
                m_player->pause();
        } else if (canPlay()) {
            m_player->play();
        }
    });
}

bool MprisService::stop()
{
    return request(Request::Transport, [this] {
        if (m_player && m_player->track().present)
            m_player->stop();
    });
}

bool MprisService::next()
{
    return request(Request::Step, [this] {
        if (canGoNext())
            m_player->next();
    });
}

bool MprisService::previous()
{
    return request(Request::Step, [this] {
        if (canGoPrevious())
            m_player->previous();
    });
}

bool MprisService::seek(qint64 offsetMicroseconds)
{
    return request(Request::Step, [this, offsetMicroseconds] {
        if (!canSeek())
            return;
        qint64 target = 0;
        if (qAddOverflow(m_player->positionUs(), offsetMicroseconds, &target))
            target = offsetMicroseconds > 0 ? std::numeric_limits<qint64>::max() : 0;
        // Past the end is the next track, where there is one.
        if (target > m_player->track().lengthUs) {
            if (canGoNext())
                m_player->next();
            return;
        }
        m_player->seekTo(qMax<qint64>(0, target));
    });
}

bool MprisService::setPosition(const QDBusObjectPath& track, qint64 positionMicroseconds)
{
    return request(Request::Step, [this, track, positionMicroseconds] {
        if (!canSeek() || track != trackId())
            return;
        if (positionMicroseconds < 0 || positionMicroseconds > m_player->track().lengthUs)
            return;
        m_player->seekTo(positionMicroseconds);
    });
}

QDBusError MprisService::openUri(const QString& uri)
{
    if (!onOpenUri)
        return QDBusError(QDBusError::NotSupported, QStringLiteral("Opening an address is not supported"));
    return onOpenUri(uri);
}

// ---- change signals ----

QVariantMap MprisService::announcedProperties() const
{
    return {{QStringLiteral("PlaybackStatus"), playbackStatus()},
            {QStringLiteral("Metadata"), metadata()},
            {QStringLiteral("Volume"), volume()},
            {QStringLiteral("Rate"), rate()},
            {QStringLiteral("MinimumRate"), minimumRate()},
            {QStringLiteral("MaximumRate"), maximumRate()},
            {QStringLiteral("CanPlay"), canPlay()},
            {QStringLiteral("CanPause"), canPause()},
            {QStringLiteral("CanSeek"), canSeek()},
            {QStringLiteral("CanGoNext"), canGoNext()},
            {QStringLiteral("CanGoPrevious"), canGoPrevious()}};
}

void MprisService::scheduleRefresh()
{
    // Once the step that caused it has finished all its changes.
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(this, &MprisService::refresh, Qt::QueuedConnection);
}

void MprisService::refresh()
{
    m_refreshPending = false;
    const QVariantMap now = announcedProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_announced.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    m_announced = now;
    if (changed.isEmpty() || !m_registered)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        objectPath(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << playerInterface() << changed << QStringList();
    m_bus.send(signal);
}

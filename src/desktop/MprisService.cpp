#include "desktop/MprisService.h"

#include "app/frmMain.h"
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "desktop/mpris/MprisPlayerAdaptor.h"
#include "desktop/mpris/MprisRootAdaptor.h"

#include <QAction>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>

namespace {
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
constexpr int kPollMs = 1000;
constexpr qint64 kCdSectorsPerSecond = 75;

QString statusName(bool playing, bool paused)
{
    if (playing)
        return QStringLiteral("Playing");
    return paused ? QStringLiteral("Paused") : QStringLiteral("Stopped");
}
} // namespace

MprisService::MprisService(frmMain& form, const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_form(form), m_bus(bus)
{
    new MprisRootAdaptor(this);
    auto* player = new MprisPlayerAdaptor(this);
    connect(this, &MprisService::seeked, player, &MprisPlayerAdaptor::Seeked);
    m_announced = announcedProperties();
    watchTheWindow();

    if (!m_bus.isConnected())
        return;
    // The object first, so that a client that sees the name finds it.
    if (!m_bus.registerObject(objectPath(), this, QDBusConnection::ExportAdaptors))
        return;
    if (!m_bus.registerService(serviceName())) {
        m_bus.unregisterObject(objectPath());
        return;
    }
    m_registered = true;
}

MprisService::~MprisService()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(serviceName());
    m_bus.unregisterObject(objectPath());
}

QDBusConnection MprisService::runningSessionBus()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool running = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        || (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")));
    if (!running)
        return QDBusConnection(QStringLiteral("sorvan-no-session-bus"));
    return QDBusConnection::sessionBus();
}

QStringList MprisService::supportedMimeTypes()
{
    // mid, wav, mp3, avi, mpeg and mpg, mov: each under its common names.
    return {QStringLiteral("audio/midi"),      QStringLiteral("audio/x-midi"), QStringLiteral("audio/wav"),
            QStringLiteral("audio/x-wav"),     QStringLiteral("audio/mpeg"),   QStringLiteral("video/x-msvideo"),
            QStringLiteral("video/mpeg"),      QStringLiteral("video/quicktime")};
}

void MprisService::watchTheWindow()
{
    MediaPlayer* player = m_form.MediaPlayer1;
    connect(player, &MediaPlayer::engineStateChanged, this, &MprisService::scheduleRefresh);
    connect(player, &MediaPlayer::fileNameChanged, this, &MprisService::scheduleRefresh);
    connect(player, &MediaPlayer::durationChanged, this, &MprisService::scheduleRefresh);
    connect(player, &MediaPlayer::volumeChanged, this, &MprisService::scheduleRefresh);
    connect(player, &MediaPlayer::seeked, this, [this](qint64 ms) {
        if (!cdMode())
            emit seeked(ms * 1000);
    });
    connect(m_form.MMControl1, &MMControl::statusChanged, this, &MprisService::scheduleRefresh);
    ListBox* list = m_form.List2;
    connect(list, &ListBox::Click, this, &MprisService::scheduleRefresh);
    connect(list, &ListBox::currentRowChanged, this, &MprisService::scheduleRefresh);
    connect(list->model(), &QAbstractItemModel::rowsInserted, this, &MprisService::scheduleRefresh);
    connect(list->model(), &QAbstractItemModel::rowsRemoved, this, &MprisService::scheduleRefresh);
    connect(list->model(), &QAbstractItemModel::modelReset, this, &MprisService::scheduleRefresh);
    for (QAction* item : {m_form.mnuFile, m_form.mnuCDEnd})
        connect(item, &QAction::changed, this, &MprisService::scheduleRefresh);
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &MprisService::refresh);
    m_poll.start();
}

// ---- what is shown ----

bool MprisService::cdMode() const
{
    return m_form.mnuCDEnd->isEnabled();
}

bool MprisService::hasMedium() const
{
    if (cdMode())
        return m_form.MMControl1->isOpen();
    return !m_form.Label2->text().isEmpty() && !m_form.MediaPlayer1->FileName().isEmpty();
}

QString MprisService::playbackStatus() const
{
    if (cdMode()) {
        const MMControl::Status status = m_form.MMControl1->status();
        return statusName(status == MMControl::Status::Playing, status == MMControl::Status::Paused);
    }
    if (!hasMedium())
        return statusName(false, false);
    const MediaEngine::State state = m_form.MediaPlayer1->state();
    return statusName(state == MediaEngine::State::Playing || state == MediaEngine::State::Opening,
                      state == MediaEngine::State::Paused);
}

QDBusObjectPath MprisService::trackId() const
{
    if (!hasMedium())
        return QDBusObjectPath(kNoTrack);
    if (cdMode())
        return QDBusObjectPath(QStringLiteral("/org/sorvan/track/cd%1").arg(m_form.MMControl1->currentTrack()));
    const QString key = m_form.MediaPlayer1->FileName() + QLatin1Char('\n') + m_form.Label2->text();
    return QDBusObjectPath(QStringLiteral("/org/sorvan/track/f%1").arg(qHash(key), 0, 16));
}

QVariantMap MprisService::metadata() const
{
    QVariantMap data{{QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId())}};
    if (!hasMedium())
        return data;
    if (cdMode()) {
        const int number = m_form.MMControl1->currentTrack();
        data.insert(QStringLiteral("xesam:title"), QStringLiteral("トラック %1").arg(number));
        const QList<CdDrive::Track> tracks = m_form.MMControl1->tracks();
        if (number >= 1 && number <= tracks.size())
            data.insert(QStringLiteral("mpris:length"),
                        qint64(tracks.at(number - 1).sectorCount) * 1000000 / kCdSectorsPerSecond);
        return data;
    }
    const QString path = QDir::current().absoluteFilePath(m_form.MediaPlayer1->FileName());
    data.insert(QStringLiteral("xesam:title"), m_form.Label2->text());
    data.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(QDir::cleanPath(path)).toString(QUrl::FullyEncoded));
    if (const qint64 ms = m_form.MediaPlayer1->duration(); ms > 0)
        data.insert(QStringLiteral("mpris:length"), ms * 1000);
    return data;
}

qint64 MprisService::positionMicroseconds() const
{
    if (cdMode() || !hasMedium())
        return 0;
    return m_form.MediaPlayer1->position() * 1000;
}

double MprisService::volume() const
{
    // The CD control has no volume of its own: it plays at full volume.
    if (cdMode())
        return 1.0;
    return m_form.MediaPlayer1->volume() / 100.0;
}

void MprisService::setVolume(double volume)
{
    if (cdMode())
        return;
    m_form.MediaPlayer1->setVolume(qRound(qBound(0.0, volume, 1.0) * 100));
    scheduleRefresh();
}

bool MprisService::canPlay() const
{
    if (cdMode())
        return m_form.MMControl1->isOpen();
    return hasMedium() && m_form.MediaPlayer1->isEnabled();
}

bool MprisService::canSeek() const
{
    return !cdMode() && canPlay() && m_form.MediaPlayer1->duration() > 0;
}

bool MprisService::canGoNext() const
{
    if (cdMode())
        return m_form.MMControl1->isOpen() && m_form.MMControl1->currentTrack() < m_form.MMControl1->tracks().size();
    return m_form.mnuFile->isEnabled() && m_form.List2->ListIndex() + 1 < m_form.List2->ListCount();
}

bool MprisService::canGoPrevious() const
{
    if (cdMode())
        return m_form.MMControl1->isOpen() && m_form.MMControl1->currentTrack() > 1;
    return m_form.mnuFile->isEnabled() && m_form.List2->ListIndex() > 0;
}

// ---- what is asked ----

void MprisService::quit()
{
    // After the reply has left: the same steps as the menu's "終了する".
    QMetaObject::invokeMethod(&m_form, [form = &m_form] { form->mnuEnd_Click(); }, Qt::QueuedConnection);
}

void MprisService::raise()
{
    m_form.show();
    m_form.raise();
    m_form.activateWindow();
}

void MprisService::play()
{
    if (cdMode())
        m_form.MMControl1->play();
    else if (canPlay())
        m_form.MediaPlayer1->Play();
    scheduleRefresh();
}

void MprisService::pause()
{
    if (cdMode()) {
        if (m_form.MMControl1->status() == MMControl::Status::Playing)
            m_form.MMControl1->pause();
    } else if (canPause()) {
        m_form.MediaPlayer1->Pause();
    }
    scheduleRefresh();
}

void MprisService::playPause()
{
    if (playbackStatus() == QLatin1String("Playing"))
        pause();
    else
        play();
}

void MprisService::stop()
{
    if (cdMode())
        m_form.MMControl1->stop();
    else if (hasMedium())
        m_form.MediaPlayer1->Stop();
    scheduleRefresh();
}

void MprisService::next()
{
    if (!canGoNext())
        return;
    if (cdMode())
        m_form.MMControl1->nextTrack();
    else
        playListEntry(m_form.List2->ListIndex() + 1);
    scheduleRefresh();
}

void MprisService::previous()
{
    if (!canGoPrevious())
        return;
    if (cdMode())
        m_form.MMControl1->previousTrack();
    else
        playListEntry(m_form.List2->ListIndex() - 1);
    scheduleRefresh();
}

void MprisService::playListEntry(int index)
{
    m_form.List2->setListIndex(index);
    m_form.List2_Click();
}

void MprisService::seek(qint64 offsetMicroseconds)
{
    if (!canSeek())
        return;
    const qint64 target = m_form.MediaPlayer1->position() + offsetMicroseconds / 1000;
    if (target > m_form.MediaPlayer1->duration()) {
        next();
        return;
    }
    m_form.MediaPlayer1->seek(qMax<qint64>(0, target));
}

void MprisService::setPosition(const QDBusObjectPath& track, qint64 positionMicroseconds)
{
    if (!canSeek() || track != trackId())
        return;
    const qint64 ms = positionMicroseconds / 1000;
    if (ms < 0 || ms > m_form.MediaPlayer1->duration())
        return;
    m_form.MediaPlayer1->seek(ms);
}

// ---- change signals ----

QVariantMap MprisService::announcedProperties() const
{
    return {{QStringLiteral("PlaybackStatus"), playbackStatus()},
            {QStringLiteral("Metadata"), metadata()},
            {QStringLiteral("Volume"), volume()},
            {QStringLiteral("CanPlay"), canPlay()},
            {QStringLiteral("CanPause"), canPause()},
            {QStringLiteral("CanSeek"), canSeek()},
            {QStringLiteral("CanGoNext"), canGoNext()},
            {QStringLiteral("CanGoPrevious"), canGoPrevious()}};
}

void MprisService::scheduleRefresh()
{
    // After the handler that caused it has finished all its steps.
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

#pragma once
// A media player on the session bus (MPRIS): the objects
// org.mpris.MediaPlayer2 and org.mpris.MediaPlayer2.Player at
// /org/mpris/MediaPlayer2, answered from the NowPlaying that is current.
// It announces changes with PropertiesChanged when the player says that
// something changed; it never polls.
//
// Nothing here knows the program: who the player is comes in an
// MprisIdentity, and the requests that are not about the player (quit,
// raise, open an address) are handed to the functions that are set.
//
// Without a session bus, or with the name held by another process, the
// service stays unregistered and answers nobody.

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>

#include "desktop/mpris/NowPlaying.h"

struct MprisIdentity {
    QString busName;       // org.mpris.MediaPlayer2.<name>
    QString identity;      // shown to the user
    QString desktopEntry;  // without ".desktop"
    QStringList mimeTypes;
    QStringList uriSchemes;
    QString trackPrefix;   // object path under which track ids are made
};

class MprisService : public QObject {
    Q_OBJECT
public:
    MprisService(MprisIdentity identity, const QDBusConnection& bus, QObject* parent = nullptr);
    ~MprisService() override;

    static QString objectPath() { return QStringLiteral("/org/mpris/MediaPlayer2"); }
    static QString playerInterface() { return QStringLiteral("org.mpris.MediaPlayer2.Player"); }
    // The desktop session's bus when one is running; a disconnected one
    // otherwise (no bus is started for the program).
    static QDBusConnection runningSessionBus();

    // The player the desktop sees from now on (nullptr: none).
    void setPlayer(NowPlaying* player);
    NowPlaying* player() const { return m_player; }

    // Runs a request that changes the player's state. By default at once;
    // a runner may hold it back and run it later, in order.
    using RequestRunner = std::function<void(std::function<void()>)>;
    void setRequestRunner(RequestRunner runner) { m_runner = std::move(runner); }
    std::function<void()> onQuit;
    std::function<void()> onRaise;
    // Takes an address; returns an error text, or an empty one when taken.
    std::function<QString(const QString& uri)> onOpenUri;

    bool isRegistered() const { return m_registered; }
    QDBusConnection bus() const { return m_bus; }
    const MprisIdentity& identity() const { return m_identity; }

    // ---- org.mpris.MediaPlayer2 ----
    void quit();
    void raise();

    // ---- org.mpris.MediaPlayer2.Player: what is shown ----
    QString playbackStatus() const;
    QVariantMap metadata() const;
    qint64 positionMicroseconds() const;
    double volume() const;
    double rate() const;
    double minimumRate() const;
    double maximumRate() const;
    bool canPlay() const;
    bool canPause() const;
    bool canSeek() const;
    bool canGoNext() const;
    bool canGoPrevious() const;

    // ---- org.mpris.MediaPlayer2.Player: what is asked ----
    void setVolume(double volume);
    void setRate(double rate);
    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();
    void seek(qint64 offsetMicroseconds);
    void setPosition(const QDBusObjectPath& track, qint64 positionMicroseconds);
    // An error text, or an empty one when the address was taken.
    QString openUri(const QString& uri);

signals:
    // The position jumped: for the Seeked signal on the bus.
    void seeked(qint64 positionMicroseconds);

private:
    QDBusObjectPath trackId() const;
    void request(std::function<void()> step);
    // Every player property that is announced when it changes.
    QVariantMap announcedProperties() const;
    void scheduleRefresh();
    void refresh();

    MprisIdentity m_identity;
    QDBusConnection m_bus;
    QPointer<NowPlaying> m_player;
    RequestRunner m_runner;
    bool m_registered = false;
    bool m_refreshPending = false;
    QVariantMap m_announced;
};

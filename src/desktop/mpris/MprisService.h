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
#include <QDBusContext>
#include <QDBusError>
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

class MprisService : public QObject, protected QDBusContext {
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

    // What a request that changes the player's state is to its runner:
    //   Transport  Play, Pause, PlayPause, Stop: never dropped once taken;
    //   Step       Next, Previous, Seek, SetPosition: made for the list and
    //              the medium of the moment they came, and dropped if either
    //              has changed before they run;
    //   Setting    Volume, Rate: a later write replaces an earlier one that
    //              waits, so each holds one place at most and is never refused.
    enum class Request { Transport, Step, Setting };
    // Runs a request, by default at once; a runner may hold it back and run
    // it later, in order, and refuses it (false) when it has no room.
    using RequestRunner = std::function<bool(std::function<void()> step, Request kind)>;
    void setRequestRunner(RequestRunner runner) { m_runner = std::move(runner); }
    // Asked after the reply has left.
    std::function<void()> onQuit;
    std::function<void()> onRaise;
    // Takes an address; returns the error to answer with, or no error
    // (QDBusError's NoError) when taken.
    std::function<QDBusError(const QString& uri)> onOpenUri;
    // The text of the error that a refused request is answered with.
    static QString noRoomText();

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
    // Each request returns at once: false when the runner had no room for
    // it (the caller is told), true when it was taken to run.
    void setVolume(double volume);
    void setRate(double rate);
    bool play();
    bool pause();
    bool playPause();
    bool stop();
    bool next();
    bool previous();
    // Offsets add up without overflowing; past the end is the next track.
    bool seek(qint64 offsetMicroseconds);
    bool setPosition(const QDBusObjectPath& track, qint64 positionMicroseconds);
    // The error to answer with; NoError when the address was taken.
    QDBusError openUri(const QString& uri);
    // Answers the method call being served with error (not when it is
    // NoError, nor outside a call from the bus). Qt keeps the call's context
    // on the object whose adaptors answer it: this one.
    void answerWithError(const QDBusError& error) const;

signals:
    // The position jumped: for the Seeked signal on the bus.
    void seeked(qint64 positionMicroseconds);

private:
    QDBusObjectPath trackId() const;
    bool request(Request kind, std::function<void()> step);
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
    // The settings written last, and whether a request to apply each waits.
    double m_wantedVolume = 1.0;
    double m_wantedRate = 1.0;
    bool m_volumeWaits = false;
    bool m_rateWaits = false;
};

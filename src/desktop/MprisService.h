#pragma once
// The desktop's player controls and media keys: the main window offered on
// the session bus as a media player (name org.mpris.MediaPlayer2.sorvan,
// object /org/mpris/MediaPlayer2). Every call goes to the handlers and
// controls that the menus, the play list and the player's own buttons use;
// in CD mode the same calls drive the CD control.
//
// Without a session bus, or with the name held by another running Sorvan,
// the service stays unregistered and the program runs as before.

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

class frmMain;

class MprisService : public QObject {
    Q_OBJECT
public:
    MprisService(frmMain& form, const QDBusConnection& bus, QObject* parent = nullptr);
    ~MprisService() override;

    static QString serviceName() { return QStringLiteral("org.mpris.MediaPlayer2.sorvan"); }
    static QString objectPath() { return QStringLiteral("/org/mpris/MediaPlayer2"); }
    static QString playerInterface() { return QStringLiteral("org.mpris.MediaPlayer2.Player"); }
    // The desktop session's bus when one is running; a disconnected one
    // otherwise (no bus is started for the program).
    static QDBusConnection runningSessionBus();
    // The MIME types of the media files the open dialog offers.
    static QStringList supportedMimeTypes();

    // True once the name and the object are on the bus.
    bool isRegistered() const { return m_registered; }
    QDBusConnection bus() const { return m_bus; }

    // ---- org.mpris.MediaPlayer2 ----
    void quit();
    void raise();

    // ---- org.mpris.MediaPlayer2.Player: what is shown ----
    QString playbackStatus() const;
    QVariantMap metadata() const;
    qint64 positionMicroseconds() const;
    double volume() const;
    void setVolume(double volume);
    bool canPlay() const;
    bool canPause() const { return canPlay(); }
    bool canSeek() const;
    bool canGoNext() const;
    bool canGoPrevious() const;

    // ---- org.mpris.MediaPlayer2.Player: what is asked ----
    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();
    void seek(qint64 offsetMicroseconds);
    void setPosition(const QDBusObjectPath& track, qint64 positionMicroseconds);

signals:
    // The position jumped (a seek): for the Seeked signal on the bus.
    void seeked(qint64 positionMicroseconds);

private:
    bool cdMode() const;
    bool hasMedium() const;
    QDBusObjectPath trackId() const;
    // Every player property that is announced when it changes (all but the
    // position, which clients follow by themselves).
    QVariantMap announcedProperties() const;
    void watchTheWindow();
    void scheduleRefresh();
    void refresh();
    // Plays the play-list entry at index as a click on it would.
    void playListEntry(int index);

    frmMain& m_form;
    QDBusConnection m_bus;
    bool m_registered = false;
    bool m_refreshPending = false;
    QVariantMap m_announced;
    // Catches what no signal tells (the title line, a CD track chosen while
    // stopped).
    QTimer m_poll;
};

#pragma once
// The window offered to the desktop's player controls and media keys on the
// session bus, as org.mpris.MediaPlayer2.sorvan: the media player control
// or, in CD mode, whichever of the CD control and the media player last
// started to sound is what plays; Quit takes the same steps
// as the menu's "終了する"; Raise shows the window. OpenUri takes file://
// addresses as every file from outside is taken (HandOver). Every request
// that changes what plays waits, in order, while a handler waits.

#include "desktop/mpris/MprisService.h"

#include <QObject>

class CdNowPlaying;
class HandOver;
class PlayerNowPlaying;
class frmMain;

class MprisBinding : public QObject {
    Q_OBJECT
public:
    MprisBinding(frmMain& form, HandOver& handOver, const QDBusConnection& bus, QObject* parent = nullptr);
    ~MprisBinding() override;

    static QString serviceName() { return QStringLiteral("org.mpris.MediaPlayer2.sorvan"); }
    // The MIME types of the media files the open dialog offers, each under
    // its common names (the desktop entry lists the same).
    static QStringList supportedMimeTypes();

    MprisService& service() { return *m_service; }
    bool isRegistered() const { return m_service->isRegistered(); }

private:
    // The player the desktop sees: the media player outside CD mode; in it
    // the disc, or the one that last started to sound (sounded, if given).
    void followMode(NowPlaying* sounded = nullptr);
    QString openUri(const QString& uri);

    frmMain& m_form;
    HandOver& m_handOver;
    PlayerNowPlaying* m_player = nullptr;
    CdNowPlaying* m_cd = nullptr;
    MprisService* m_service = nullptr;
};

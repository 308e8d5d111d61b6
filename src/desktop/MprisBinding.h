#pragma once
// The window offered to the desktop's player controls and media keys on the
// session bus, as org.mpris.MediaPlayer2.sorvan: the media player control
// or, in CD mode, whichever of the CD control and the media player last
// started to sound is what plays; Quit takes the same steps
// as the menu's "終了する"; Raise shows the window. OpenUri takes file://
// addresses as every file from outside is taken (HandOver), the path's
// percent-encoded bytes being the name. Every request that changes what
// plays goes to the one queue (OutsideRequests) and runs in a later pass,
// in order, once no handler waits; the method answers at once, with an
// error when the queue has no room. Next, Previous, Seek and SetPosition are
// dropped when the list, the mode or the medium changed before they ran;
// Play, Pause and Stop never are.

#include "desktop/mpris/MprisService.h"

#include <QObject>
#include <tuple>

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
    QDBusError openUri(const QString& uri);
    // What a Step request is made for: the list, the medium and the mode.
    std::tuple<quint64, quint64, int> stamp() const;

    frmMain& m_form;
    HandOver& m_handOver;
    PlayerNowPlaying* m_player = nullptr;
    CdNowPlaying* m_cd = nullptr;
    MprisService* m_service = nullptr;
};

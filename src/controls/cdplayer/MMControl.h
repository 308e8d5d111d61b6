#pragma once
// MMControl1: the CD control's buttons. Shows its own row of transport
// buttons (previous, play, pause, stop, next, eject) inside its rectangle and
// drives a CdSession with them. "Open" opens the CD device (the default drive
// unless a device path was given), reads the table of contents and enables
// the buttons; "Close" stops and closes the device.
//
// When no disc can be opened (no drive, no disc, device busy) the control
// stays shown with its buttons disabled and says so in its tool tip.

#include "controls/cdplayer/CdSession.h"

#include <QString>
#include <QWidget>

class QToolButton;

class MMControl : public QWidget {
    Q_OBJECT
public:
    using Status = CdSession::Status;

    MMControl(CdDriveOpener opener, MediaEngineFactory engineFactory, QWidget* parent = nullptr);
    ~MMControl() override;

    QString DeviceType() const { return m_deviceType; }
    void setDeviceType(const QString& type) { m_deviceType = type; }
    QString Command() const { return m_command; }
    // Performs the command at once: "Open" or "Close" (others are ignored).
    // "Open" on an open device opens it again. Only the "CDAudio" device
    // type is known; "Open" with another one leaves the control closed.
    void setCommand(const QString& command);

    // The device that "Open" opens; empty means the computer's default drive.
    // Tests point this at a disc image.
    void setDevicePath(const QString& path) { m_devicePath = path; }
    QString devicePath() const { return m_devicePath; }

    CdSession* session() const { return m_session; }
    bool isOpen() const { return m_session->isOpen(); }
    Status status() const { return m_session->status(); }
    QList<CdDrive::Track> tracks() const { return m_session->tracks(); }
    // The open disc's CD-Text: album, its performer, and each track's title
    // and performer by track number; empty without a disc or CD-Text.
    CdText cdText() const { return m_session->cdText(); }
    // The selected track's position on the disc (1 for the first audio
    // track); 0 while no disc is open.
    int currentTrack() const { return isOpen() ? m_session->index() + 1 : 0; }
    // The engine, once the first track was played; nullptr before.
    MediaEngine* engine() const { return m_session->engine(); }

    // What the buttons do.
    void previousTrack() { m_session->previousTrack(); }
    void play() { m_session->play(); }
    void pause() { m_session->pause(); }
    void stop() { m_session->stop(); }
    void nextTrack() { m_session->nextTrack(); }
    void eject() { m_session->eject(); }

signals:
    void statusChanged(CdSession::Status status);
    void ejectFinished(bool ejected);

private:
    void updateButtons();
    QToolButton* addButton(const QIcon& icon, const QString& tip, const char* name);

    CdSession* m_session = nullptr;
    QString m_deviceType;
    QString m_command;
    QString m_devicePath;

    QToolButton* m_previous = nullptr;
    QToolButton* m_play = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_stop = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_eject = nullptr;
};

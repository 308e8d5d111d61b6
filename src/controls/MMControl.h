#pragma once
// MMControl1: the CD control. Shows its own row of transport buttons
// (previous, play, pause, stop, next, eject) inside its rectangle. "Open"
// opens the CD device (the default drive unless a device path was given),
// reads the table of contents and enables the buttons; "Close" stops and
// closes the device. Sound goes through a media engine fed with the track's
// sectors as a WAV stream.
//
// Opening, reading and ejecting run away from the GUI thread; their results
// come back as queued calls, and a result of an "Open" that has since been
// replaced by another command is dropped. When no disc can be opened (no
// drive, no disc, device busy) the control stays shown with its buttons
// disabled and says so in its tool tip. When a track ends the control stops
// on that track.

#include "controls/CdDrive.h"
#include "controls/MediaEngine.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <memory>

class QToolButton;

class MMControl : public QWidget {
    Q_OBJECT
public:
    enum class Status { Closed, Opening, NoDisc, Stopped, Playing, Paused };
    Q_ENUM(Status)

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

    // True once a disc with audio tracks was opened, until "Close" or eject.
    bool isOpen() const { return m_drive != nullptr; }
    Status status() const { return m_status; }
    QList<CdDrive::Track> tracks() const { return m_tracks; }
    // The selected track's position on the disc (1 for the first audio
    // track); 0 while no disc is open.
    int currentTrack() const { return isOpen() ? m_index + 1 : 0; }
    // The engine, once the first track was played; nullptr before.
    MediaEngine* engine() const { return m_engine.get(); }

    // What the buttons do.
    void previousTrack();
    void play();
    // Pauses a playing track; on a paused one it resumes.
    void pause();
    void stop();
    void nextTrack();
    // Stops and ejects the disc where the drive can; a disc image stays.
    void eject();

signals:
    void statusChanged(MMControl::Status status);
    // An eject finished; ejected is false where the drive could not eject.
    void ejectFinished(bool ejected);

private:
    void open();
    void close();
    void openFinished(quint64 generation, std::shared_ptr<CdDrive> drive);
    void ejectDone(quint64 generation, bool ejected);
    void engineStateChanged(MediaEngine::State state);
    void startTrack();
    void setStatus(Status status);
    void updateButtons();
    QToolButton* addButton(const QIcon& icon, const QString& tip, const char* name);

    CdDriveOpener m_opener;
    MediaEngineFactory m_engineFactory;
    QString m_deviceType;
    QString m_command;
    QString m_devicePath;
    std::shared_ptr<CdDrive> m_drive;
    std::unique_ptr<MediaEngine> m_engine;
    QList<CdDrive::Track> m_tracks;
    int m_index = 0;
    Status m_status = Status::Closed;
    // Counts opens and closes, so that late results of a replaced open or
    // of an eject on a closed disc are dropped.
    quint64 m_generation = 0;
    bool m_ejecting = false;

    QToolButton* m_previous = nullptr;
    QToolButton* m_play = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_stop = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_eject = nullptr;
};

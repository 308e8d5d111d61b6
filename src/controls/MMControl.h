#pragma once
// MMControl1: the CD control. Shows its own row of transport buttons
// (previous, play, pause, stop, next, eject) inside its rectangle. "Open"
// opens the CD device (the default drive unless a device path was given),
// reads the table of contents and enables the buttons; "Close" stops and
// closes the device. Sound goes through a media engine fed with the track's
// sectors as a WAV stream.

#include "controls/CdDrive.h"
#include "controls/MediaEngine.h"

#include <QString>
#include <QWidget>
#include <memory>

class MMControl : public QWidget {
    Q_OBJECT
public:
    MMControl(CdDriveOpener opener, MediaEngineFactory engineFactory, QWidget* parent = nullptr);
    ~MMControl() override;

    QString DeviceType() const { return m_deviceType; }
    void setDeviceType(const QString& type) { m_deviceType = type; }
    QString Command() const { return m_command; }
    // Performs the command at once: "Open" or "Close" (others are ignored).
    void setCommand(const QString& command);

    // The device that "Open" opens; empty means the computer's default drive.
    // Tests point this at a disc image.
    void setDevicePath(const QString& path) { m_devicePath = path; }
    QString devicePath() const { return m_devicePath; }

    bool isOpen() const;

private:
    CdDriveOpener m_opener;
    MediaEngineFactory m_engineFactory;
    QString m_deviceType;
    QString m_command;
    QString m_devicePath;
    std::unique_ptr<CdDrive> m_drive;
};

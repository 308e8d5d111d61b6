#pragma once
// A CD session: the drive, its table of contents, the selected track and the
// engine that plays it. Opening the drive and ejecting run on the background
// pool; their results come back on the GUI thread, and a result of an open
// that has since been replaced (or of an eject on a disc closed since) is
// dropped. Closing never waits: the engine stops and lets go of the stream on
// its own thread, and the stream keeps the drive until its last read is done.
// When a track ends the session stops on that track.

#include "engine/CdDrive.h"
#include "engine/MediaEngine.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class CdSession : public QObject {
    Q_OBJECT
public:
    enum class Status { Closed, Opening, NoDisc, Stopped, Playing, Paused };
    Q_ENUM(Status)

    CdSession(CdDriveOpener opener, MediaEngineFactory engineFactory, QObject* parent = nullptr);
    ~CdSession() override;

    // Opens device (empty: the default drive), closing what was open.
    void open(const QString& device);
    void close();

    // True once a disc with audio tracks was opened, until close or eject.
    bool isOpen() const { return m_drive != nullptr; }
    Status status() const { return m_status; }
    bool isEjecting() const { return m_ejecting; }
    QList<CdDrive::Track> tracks() const { return m_tracks; }
    // The open disc's CD-Text (read with the table of contents, off the GUI
    // thread); empty while no disc is open or the disc carries none.
    CdText cdText() const { return m_cdText; }
    // Index of the selected track in tracks().
    int index() const { return m_index; }
    // Where the selected track plays, in milliseconds from its start; 0
    // while it is stopped.
    qint64 position() const { return m_position; }
    MediaEngine* engine() const { return m_engine.get(); }

    void previousTrack();
    void play();
    // Pauses a playing track; on a paused one it resumes.
    void pause();
    void stop();
    void nextTrack();
    // Stops and ejects the disc where the drive can; a disc image stays.
    void eject();

signals:
    void statusChanged(CdSession::Status status);
    // The selected track, the tracks or the eject state changed.
    void changed();
    // An eject finished; ejected is false where the drive could not eject.
    void ejectFinished(bool ejected);
    // A track began to sound: the engine reports it playing after it was
    // started, paused or stopped.
    void startedToSound();

private:
    void openFinished(quint64 generation, std::shared_ptr<CdDrive> drive);
    void ejectDone(quint64 generation, bool ejected);
    void engineStateChanged(MediaEngine::State state);
    void startTrack();
    void setStatus(Status status);
    bool running() const { return m_status == Status::Playing || m_status == Status::Paused; }

    CdDriveOpener m_opener;
    MediaEngineFactory m_engineFactory;
    std::shared_ptr<CdDrive> m_drive;
    std::unique_ptr<MediaEngine> m_engine;
    QList<CdDrive::Track> m_tracks;
    CdText m_cdText;
    int m_index = 0;
    qint64 m_position = 0;
    bool m_engineSounds = false;
    Status m_status = Status::Closed;
    // Counts opens and closes, so that late results of a replaced open or
    // of an eject on a closed disc are dropped.
    quint64 m_generation = 0;
    bool m_ejecting = false;
};

#pragma once
// The media player's session: the engine, the file that is set, its tags,
// what the engine last reported (state, position, length) and what the user
// chose (volume, mute, speed). No widgets: the control's bar and commands and
// the desktop observe it through its signals and send their requests to it;
// they keep none of it themselves.
//
// The engine is made on the first file, so an idle program carries none; the
// volume, mute and speed chosen before then are given to it when it comes.
//
// The start sound that the handlers give in place of a medium plays like any
// file, but it is no medium: hasMedium() is false while it is set, and it
// never counts as having started to sound.

#include "engine/MediaEngine.h"
#include "engine/MediaTags.h"

#include <QObject>
#include <QString>

class MediaSession : public QObject {
    Q_OBJECT
public:
    explicit MediaSession(MediaEngineFactory engineFactory, QObject* parent = nullptr);
    ~MediaSession() override;

    // The start sound: a bare name, found in the current folder.
    static QString startSound();
    // True for the name the handlers give as the start sound (not for a file
    // of that name chosen from a folder).
    static bool isStartSound(const QString& name);

    // What reads the tags of each file that is set; without one no file has
    // tags.
    void setTagReader(MediaTagReaderPtr reader) { m_tagReader = std::move(reader); }

    // ---- the file ----
    // Opens name and plays it at once, replacing what played. A name without
    // a folder is resolved against the current folder; the engine is always
    // given a local path. The empty name stops and leaves no file.
    void open(const QString& name);
    QString fileName() const { return m_fileName; }
    // The local file that fileName() stands for; empty without a file.
    QString localPath() const;
    // A file is set and the engine has not refused it: the controls can act.
    bool hasFile() const;
    // A file other than the start sound is set: something the user chose.
    bool hasMedium() const { return !m_fileName.isEmpty() && !isStartSound(m_fileName); }
    // Changes with every file that is set, the start sound too.
    quint64 mediumGeneration() const { return m_mediumGeneration; }
    // The file's tags as far as they have been read (off the GUI thread);
    // empty until then, for a file without tags, and without a file.
    MediaTags tags() const { return m_tags; }
    // The engine, once the first file was set; nullptr before.
    MediaEngine* engine() const { return m_engine.get(); }

    // ---- what the engine reported ----
    // The last state (Empty for a file the engine has not reported on yet).
    MediaEngine::State state() const { return m_state; }
    bool isPlaying() const { return m_state == MediaEngine::State::Playing; }
    qint64 position() const { return m_position; }
    // The length in milliseconds; 0 while unknown.
    qint64 duration() const { return m_duration; }
    bool canSeek() const { return hasFile() && m_duration > 0; }

    // ---- what the user chose ----
    int volume() const { return m_volume; }  // 0..100
    bool isMuted() const { return m_muted; }
    double rate() const { return m_rate; }

    // ---- requests; without a file they do nothing ----
    void play();
    void pause();
    // Pauses while playing, plays otherwise.
    void togglePlay();
    void stop();
    void seek(qint64 positionMs);
    // From the position, never before the start or past the end.
    void skip(qint64 deltaMs);
    void setVolume(int percent);  // bounded to 0..100
    void setMuted(bool muted);
    // Only speeds within the player's table (PlaybackRates.h) are taken.
    void setRate(double rate);

signals:
    // The engine was made; it has been given nothing yet (connected
    // directly, so that a video window can be given before the first file).
    void engineMade(MediaEngine* engine);
    // A file was set (fileName() holds it); position and length start again.
    void mediumChanged(const QString& name);
    void stateChanged(MediaEngine::State state);
    void positionChanged(qint64 positionMs);
    void durationChanged(qint64 durationMs);
    // A seek was asked for.
    void seeked(qint64 positionMs);
    void volumeChanged(int percent);
    void mutedChanged(bool muted);
    void rateChanged(double rate);
    // tags() changed: a new file was set (they are empty again), or its tags
    // were read.
    void tagsChanged();
    // A medium began to sound: the engine reports it playing after it was
    // set, paused, stopped or ended.
    void startedToSound();

private:
    void ensureEngine();
    void onEngineState(MediaEngine::State state);
    void setPosition(qint64 positionMs);
    void readTags(const QString& localPath);

    MediaEngineFactory m_engineFactory;
    std::unique_ptr<MediaEngine> m_engine;
    QString m_fileName;
    MediaTagReaderPtr m_tagReader;
    MediaTags m_tags;
    // Counts the files set, so that tags of a file replaced since are dropped.
    quint64 m_mediumGeneration = 0;
    MediaEngine::State m_state = MediaEngine::State::Empty;
    qint64 m_position = 0;
    qint64 m_duration = 0;
    int m_volume = 100;
    bool m_muted = false;
    double m_rate = 1.0;
};

#pragma once
// The media engine behind the player control and the CD control.
//
// One engine plays one medium at a time. Every call returns at once: opening,
// stopping and tearing down happen away from the GUI thread. Everything the
// engine reports arrives as a signal on the GUI thread (queued), as plain
// values, and never for a medium that has since been replaced.

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

// A byte stream that the engine plays as a file (for example a WAV header
// followed by CD audio sectors). Called on one of the engine's own threads,
// never on the GUI thread; it must not touch widgets.
class MediaStream {
public:
    virtual ~MediaStream() = default;
    virtual quint64 size() const = 0;
    // Reads up to len bytes at the current offset; returns bytes read,
    // 0 at the end, -1 on a read error.
    virtual qint64 read(char* buffer, qint64 len) = 0;
    virtual bool seek(quint64 offset) = 0;
};

// One elementary stream of a medium, as far as the engine knows it; what it
// cannot tell stays 0 or empty.
struct MediaTrackInfo {
    enum class Kind { Audio, Video, Text, Other };
    Kind kind = Kind::Other;
    QString codec;          // a readable name of the encoding, else its code
    int channels = 0;       // audio
    int sampleRate = 0;     // audio, samples a second
    QSize size;             // video, pixels
    double frameRate = 0;   // video, frames a second
};

// What the engine knows of the medium that plays.
struct MediaInfo {
    QList<MediaTrackInfo> tracks;
};

// A subtitle track of the medium that plays, as the player offers it.
struct SubtitleTrack {
    int id = -1;       // the engine's own number for it
    QString language;  // for a file beside the video, the part of its name
                       // between the video's name and the ending ("ja" in
                       // movie.ja.srt); else what the medium says; may be empty
    bool operator==(const SubtitleTrack&) const = default;
};

// The subtitle tracks of the medium that plays, in the engine's order, and
// the one shown.
struct MediaSubtitles {
    QList<SubtitleTrack> tracks;
    int current = -1;  // the id of the track shown; -1 for none
    bool operator==(const MediaSubtitles&) const = default;
};

// The engine's running counts for the medium that plays.
struct MediaStatistics {
    int decodedVideo = 0;      // video blocks decoded
    int displayedPictures = 0;
    int lostPictures = 0;
    double inputKbps = 0;      // read from the source, kilobits a second
    double demuxKbps = 0;      // after demultiplexing, kilobits a second
    int decodedAudio = 0;      // audio blocks decoded
    int playedAudioBuffers = 0;
    int lostAudioBuffers = 0;
};

class MediaEngine : public QObject {
    Q_OBJECT
public:
    enum class State { Empty, Opening, Playing, Paused, Stopped, Ended, Error };
    Q_ENUM(State)

    // Why a medium cannot be played: reported instead of a modal message.
    enum class Problem { None, Unplayable, NoSoundfont };
    Q_ENUM(Problem)

    using QObject::QObject;
    ~MediaEngine() override = default;

    // Plays the local file at path at once, replacing what played. The path is
    // always a file path, never a URL or device name.
    virtual void open(const QString& localPath) = 0;
    // Plays a stream at once, replacing what played.
    virtual void openStream(std::shared_ptr<MediaStream> stream) = 0;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void seek(qint64 positionMs) = 0;
    virtual void setVolume(int percent) = 0;  // 0..100
    virtual void setMuted(bool muted) = 0;
    // Native window to draw video into; 0 for none.
    virtual void setVideoWindow(WId window) = 0;
    // Playback speed, 1 for normal; the pitch stays natural. Kept for the
    // media that follow.
    virtual void setRate(double rate) = 0;
    // Asks for infoReady / statisticsReady about the medium that plays now;
    // nothing arrives when no medium plays.
    virtual void requestInfo() = 0;
    virtual void requestStatistics() = 0;
    // Shows the subtitle track id (one of subtitlesChanged's), or none for
    // -1. The choice holds for the medium that plays, replayed too, and goes
    // with it.
    virtual void setSubtitle(int id) = 0;

signals:
    void stateChanged(MediaEngine::State state);
    void positionChanged(qint64 positionMs);
    void durationChanged(qint64 durationMs);
    // The size of the video picture; an empty size for audio only.
    void videoSizeChanged(QSize size);
    void problem(MediaEngine::Problem problem);
    void infoReady(const MediaInfo& info);
    void statisticsReady(const MediaStatistics& statistics);
    // The subtitle tracks of a file medium: the files found beside the video
    // (the engine looks for them itself) and the medium's own. Reported as
    // they appear and whenever the track shown changes; they stay while the
    // medium is stopped or at its end.
    void subtitlesChanged(const MediaSubtitles& subtitles);
};

using MediaEngineFactory = std::function<std::unique_ptr<MediaEngine>()>;

#pragma once
// What is playing, as the desktop's player controls see it: one small
// interface that the program implements over each of its players. Nothing
// here knows the program; MprisService reads it and calls its commands.

#include <QObject>
#include <QString>

class NowPlaying : public QObject {
    Q_OBJECT
public:
    enum class State { Stopped, Playing, Paused };

    // The medium in the player. present is false while there is none.
    struct Track {
        bool present = false;
        QString key;       // tells one medium from the next (a path, a track number)
        QString title;
        QString artist;
        QString album;
        QString url;       // file:// address, empty when the medium has none
        qint64 lengthUs = 0;  // 0 while unknown
        bool operator==(const Track&) const = default;
    };

    using QObject::QObject;

    virtual State state() const = 0;
    virtual Track track() const = 0;
    virtual qint64 positionUs() const = 0;
    virtual double volume() const = 0;  // 0..1
    virtual double rate() const = 0;
    virtual double minimumRate() const = 0;
    virtual double maximumRate() const = 0;
    virtual bool canPlay() const = 0;
    virtual bool canPause() const = 0;
    virtual bool canSeek() const = 0;
    virtual bool canGoNext() const = 0;
    virtual bool canGoPrevious() const = 0;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // Only while canSeek(); positionUs is within the track.
    virtual void seekTo(qint64 positionUs) = 0;
    virtual void setVolume(double volume) = 0;  // 0..1
    // Only with minimumRate() <= rate <= maximumRate().
    virtual void setRate(double rate) = 0;

signals:
    // Something that the desktop shows changed (not the position while
    // playing, which clients follow by themselves).
    void changed();
    // The position jumped.
    void seeked(qint64 positionUs);
};

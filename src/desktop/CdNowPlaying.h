#pragma once
// What is playing on the CD control, for the desktop: the disc's tracks
// ("トラック n"), the session's state and position, and its next and
// previous tracks. The control plays at full volume and normal speed.

#include "desktop/mpris/NowPlaying.h"

class MMControl;

class CdNowPlaying final : public NowPlaying {
    Q_OBJECT
public:
    explicit CdNowPlaying(MMControl& control, QObject* parent = nullptr);

    State state() const override;
    Track track() const override;
    qint64 positionUs() const override;
    double volume() const override { return 1.0; }
    double rate() const override { return 1.0; }
    double minimumRate() const override { return 1.0; }
    double maximumRate() const override { return 1.0; }
    bool canPlay() const override;
    bool canPause() const override { return canPlay(); }
    bool canSeek() const override { return false; }
    bool canGoNext() const override;
    bool canGoPrevious() const override;

    void play() override;
    void pause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void seekTo(qint64) override {}
    void setVolume(double) override {}
    void setRate(double) override {}

private:
    MMControl& m_control;
};

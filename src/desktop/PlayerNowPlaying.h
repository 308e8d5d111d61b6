#pragma once
// What is playing in the media player control, for the desktop: the player's
// session (the file, its tags, state, position, length, volume and speed),
// and the play list's next and previous entries (played as a click on them).

#include "desktop/mpris/NowPlaying.h"

class MediaSession;
class frmMain;

class PlayerNowPlaying final : public NowPlaying {
    Q_OBJECT
public:
    explicit PlayerNowPlaying(frmMain& form, QObject* parent = nullptr);

    // The file's address for the desktop: file:// and the bytes of its
    // absolute path as the file system holds them, percent-encoded.
    static QString addressOf(const QString& localPath);

    State state() const override;
    Track track() const override;
    qint64 positionUs() const override;
    double volume() const override;
    double rate() const override;
    double minimumRate() const override;
    double maximumRate() const override;
    bool canPlay() const override;
    bool canPause() const override { return canPlay(); }
    bool canSeek() const override;
    bool canGoNext() const override;
    bool canGoPrevious() const override;

    void play() override;
    void pause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void seekTo(qint64 positionUs) override;
    void setVolume(double volume) override;
    void setRate(double rate) override;

private:
    void playListEntry(int index);

    frmMain& m_form;
    MediaSession& m_session;
};

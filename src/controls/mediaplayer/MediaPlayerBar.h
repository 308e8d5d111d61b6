#pragma once
// The media player's own control bar: a position tracker across the top;
// to the start, 10 seconds back, 10 seconds ahead, play/pause, stop, elapsed
// and total time, mute and volume below it.
//
// The bar shows what the media session holds (playing or not, position,
// length, volume, mute) and sends the user's requests to it; it keeps none of
// it itself. The position buttons are the control's commands: the bar only
// says that they were pressed.

#include <QWidget>

class MediaSession;
class QLabel;
class QSlider;
class QToolButton;

class MediaPlayerBar : public QWidget {
    Q_OBJECT
public:
    explicit MediaPlayerBar(MediaSession& session, QWidget* parent = nullptr);

    // Whether the position buttons can act (a medium that can seek).
    void setSeekable(bool seekable);
    // As if the user moved the volume slider or pressed mute.
    void setVolume(int percent);
    void setMuted(bool muted);

    // What the play/pause button shows: true while the medium plays.
    bool isPlaying() const;
    // "m:ss / m:ss", elapsed then total.
    QString timeText() const;

    // m:ss, minutes not limited to 59 (75:03 for an hour and a quarter).
    static QString formatTime(qint64 ms);

signals:
    void toStartRequested();
    void backRequested();
    void aheadRequested();

private:
    // Everything from the session again: a new medium.
    void showAll();
    void showDuration(qint64 ms);
    // Not while the user drags the tracker.
    void showPosition(qint64 ms);
    void showTime(qint64 elapsed);
    void showPlayButton();
    void showVolume(int percent);
    void showMuted(bool muted);

    MediaSession& m_session;

    QToolButton* m_toStart = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_ahead = nullptr;
    QToolButton* m_playPause = nullptr;
    QToolButton* m_stop = nullptr;
    QSlider* m_tracker = nullptr;
    QLabel* m_time = nullptr;
    QToolButton* m_mute = nullptr;
    QSlider* m_volume = nullptr;
};

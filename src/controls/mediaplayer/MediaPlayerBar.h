#pragma once
// The media player's own control bar: a position tracker across the top;
// to the start, 10 seconds back, 10 seconds ahead, play/pause, stop, elapsed
// and total time, mute and volume below it.
//
// The bar only says what the user wants (its signals) and shows what it is
// told; the player control wires it to the engine.

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

class MediaPlayerBar : public QWidget {
    Q_OBJECT
public:
    explicit MediaPlayerBar(QWidget* parent = nullptr);

    // A new medium: nothing played yet, length unknown.
    void reset();
    void setPlaying(bool playing);
    void setDuration(qint64 ms);
    // Ignored while the user drags the tracker.
    void setPosition(qint64 ms);
    // The medium played to its end: the tracker stays there.
    void showEnd();
    // What the play/pause button does: pause while playing, else play.
    void togglePlay();
    // Whether the position buttons can act (a medium that can seek).
    void setSeekable(bool seekable);
    // As if the user moved the volume slider or pressed mute.
    void setVolume(int percent);
    void setMuted(bool muted);

    bool isPlaying() const { return m_playing; }
    qint64 position() const { return m_position; }
    qint64 duration() const { return m_duration; }
    int volume() const;
    bool isMuted() const;
    // "m:ss / m:ss", elapsed then total.
    QString timeText() const;

    // m:ss, minutes not limited to 59 (75:03 for an hour and a quarter).
    static QString formatTime(qint64 ms);

signals:
    void playRequested();
    void pauseRequested();
    void stopRequested();
    void toStartRequested();
    void backRequested();
    void aheadRequested();
    void seekRequested(qint64 ms);
    void volumeChanged(int percent);
    void mutedChanged(bool muted);

private:
    void showTime(qint64 elapsed);
    void showPlayButton();

    QToolButton* m_toStart = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_ahead = nullptr;
    QToolButton* m_playPause = nullptr;
    QToolButton* m_stop = nullptr;
    QSlider* m_tracker = nullptr;
    QLabel* m_time = nullptr;
    QToolButton* m_mute = nullptr;
    QSlider* m_volume = nullptr;
    bool m_playing = false;
    qint64 m_position = 0;
    qint64 m_duration = 0;
};

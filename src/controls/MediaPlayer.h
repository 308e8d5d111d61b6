#pragma once
// MediaPlayer1: the media player control. Setting FileName opens the file and
// starts playing it at once, replacing what played; a file plays once and the
// player stays at its end. The control draws video inside its own rectangle
// and shows its own control bar (play/pause, stop, position tracker, times,
// volume, mute). For audio it shrinks to its control bar.
//
// The engine is made on the first FileName, so an idle program carries none.

#include "controls/MediaEngine.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <memory>

class MediaPlayerBar;
class QLabel;

class MediaPlayer : public QWidget {
    Q_OBJECT
public:
    explicit MediaPlayer(MediaEngineFactory engineFactory, QWidget* parent = nullptr);
    ~MediaPlayer() override;

    QString FileName() const { return m_fileName; }
    // Opens name and plays it at once. A name without a folder is resolved
    // against the current folder; the engine is always given a local path.
    void setFileName(const QString& name);
    void Stop();
    // What the bar's buttons and sliders do, for callers other than the bar
    // (the desktop's player controls). Without a medium they do nothing.
    void Play();
    void Pause();
    void seek(qint64 positionMs);
    void setVolume(int percent);  // 0..100, shown on the bar

    // The last state the engine reported (Empty before the first medium).
    MediaEngine::State state() const { return m_state; }
    qint64 position() const;
    // The length of the medium in milliseconds; 0 while unknown.
    qint64 duration() const;
    int volume() const;

    // The rectangle the form gives the control (its design rectangle). Video
    // is fitted inside it; audio shrinks the control to its bar.
    void setDesignGeometry(const QRect& rect);
    QRect designGeometry() const { return m_design; }

    // What the control shows in its rectangle when a file cannot be played;
    // empty while nothing is wrong.
    QString message() const;
    // The engine, once the first file was opened; nullptr before.
    MediaEngine* engine() const { return m_engine.get(); }
    MediaPlayerBar* bar() const { return m_bar; }
    // The area the video is drawn in (hidden while there is no picture).
    QWidget* videoArea() const { return m_video; }

signals:
    // For tests and the benchmark: the engine reached a new state.
    void engineStateChanged(MediaEngine::State state);
    // A new medium was given (FileName set).
    void fileNameChanged(const QString& name);
    void durationChanged(qint64 durationMs);
    void volumeChanged(int percent);
    // A seek was asked for, by the bar or by seek().
    void seeked(qint64 positionMs);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A click on the picture plays or pauses.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ensureEngine();
    void applyLayout();
    void showMessage(const QString& text);
    void onEngineState(MediaEngine::State state);
    void onProblem(MediaEngine::Problem problem);
    void onVideoSize(QSize size);

    MediaEngineFactory m_engineFactory;
    std::unique_ptr<MediaEngine> m_engine;
    QString m_fileName;
    MediaEngine::State m_state = MediaEngine::State::Empty;
    QRect m_design;
    QSize m_videoSize;
    QWidget* m_video = nullptr;
    QLabel* m_message = nullptr;
    MediaPlayerBar* m_bar = nullptr;
};

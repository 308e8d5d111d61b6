#pragma once
// MediaPlayer1: the media player control. Setting FileName opens the file and
// starts playing it at once, replacing what played; a file plays once and the
// player stays at its end. The control draws video inside its own rectangle
// and shows its own control bar (position buttons, play/pause, stop, position
// tracker, times, volume, mute). For audio it shrinks to its control bar.
//
// Its own extras: a context menu (right click, the Menu key, Shift+F10), zoom,
// full screen, keys while it has focus, properties and statistics windows,
// and keeping the screen on while a video plays.
//
// What plays (the engine, the file, its tags, state, position, length,
// volume, mute and speed) lives in its MediaSession; the control is the face
// the handlers use, and shows the session in its bar and its picture.

#include "controls/mediaplayer/MediaPlayerLayout.h"
#include "controls/mediaplayer/MediaSession.h"
#include "controls/mediaplayer/MediaPlayerView.h"

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

class MediaFullScreen;
class MediaPlayerBar;
class MediaPlayerCommands;
class MediaPropertiesWindow;
class MediaStatisticsWindow;
class QMenu;
class ScreenSaverInhibitor;

class MediaPlayer : public QWidget {
    Q_OBJECT
public:
    static constexpr qint64 kSkipMs = 10000;     // the position buttons
    static constexpr qint64 kKeySkipMs = 5000;   // Left and Right
    static constexpr int kKeyVolumeStep = 5;     // Up and Down

    explicit MediaPlayer(MediaEngineFactory engineFactory, QWidget* parent = nullptr);
    ~MediaPlayer() override;

    QString FileName() const { return m_session->fileName(); }
    // What reads the tags of each file that is set; without one no file has
    // tags.
    void setTagReader(MediaTagReaderPtr reader) { m_session->setTagReader(std::move(reader)); }
    // The tags of the file that is set (title, artist, album, copyright), as
    // far as they have been read; empty until then, for a file without tags,
    // and without a file. tagsChanged() tells when they change.
    MediaTags tags() const { return m_session->tags(); }
    // Changes with every file that is set (FileName), the start sound too.
    quint64 mediumGeneration() const { return m_session->mediumGeneration(); }
    // Opens name and plays it at once. A name without a folder is resolved
    // against the current folder; the engine is always given a local path.
    void setFileName(const QString& name);
    void Stop() { m_session->stop(); }
    // What the bar's buttons and sliders do, for callers other than the bar.
    // Without a medium they do nothing.
    void Play() { m_session->play(); }
    void Pause() { m_session->pause(); }
    void seek(qint64 positionMs) { m_session->seek(positionMs); }
    void setVolume(int percent) { m_session->setVolume(percent); }  // 0..100

    // The last state the engine reported (Empty before the first medium).
    MediaEngine::State state() const { return m_session->state(); }
    qint64 position() const { return m_session->position(); }
    // The length of the medium in milliseconds; 0 while unknown.
    qint64 duration() const { return m_session->duration(); }
    int volume() const { return m_session->volume(); }

    // What plays, without the widgets: what the bar, the commands and the
    // desktop observe and ask.
    MediaSession* session() const { return m_session; }

    // The rectangle the form gives the control (its design rectangle). Video
    // is fitted inside it or zoomed from its corner; audio shrinks the
    // control to its bar.
    void setDesignGeometry(const QRect& rect);
    QRect designGeometry() const { return m_view->design(); }

    // What the control shows in its rectangle when a file cannot be played;
    // empty while nothing is wrong.
    QString message() const;
    // The engine, once the first file was opened; nullptr before.
    MediaEngine* engine() const { return m_session->engine(); }
    MediaPlayerBar* bar() const { return m_bar; }
    // What the user can ask for, each once: the menu, the keys and the bar's
    // position buttons act through these.
    MediaPlayerCommands* commands() const { return m_commands; }
    // The area the video is drawn in (hidden while there is no picture).
    QWidget* videoArea() const { return m_view->videoArea(); }
    // The picture area around it (black where the picture does not reach).
    QWidget* screenArea() const { return m_view->screenArea(); }

    // What the user can ask for, from the bar, the menu or the keys.
    bool hasMedia() const { return m_session->hasFile(); }
    bool hasVideo() const;
    bool isPlaying() const { return m_session->isPlaying(); }
    bool canSeek() const { return m_session->canSeek(); }
    void togglePlay();
    void toStart() { if (canSeek()) seek(0); }
    void skip(qint64 deltaMs) { m_session->skip(deltaMs); }  // never before the start or past the end
    PlayerZoom zoom() const { return m_view->zoom(); }
    void setZoom(PlayerZoom zoom);
    bool isFullScreen() const;
    void setFullScreen(bool on);
    MediaFullScreen* fullScreenWindow() const;
    void changeVolume(int delta) { m_session->setVolume(m_session->volume() + delta); }
    bool isMuted() const { return m_session->isMuted(); }
    void setMuted(bool muted) { m_session->setMuted(muted); }
    double rate() const { return m_session->rate(); }
    // Only the speeds of the player's table (PlaybackRates.h) are taken.
    void setRate(double rate) { m_session->setRate(rate); }
    void showProperties();
    void showStatistics();
    MediaPropertiesWindow* propertiesWindow() const;
    MediaStatisticsWindow* statisticsWindow() const;

    // A click on the picture waiting to see whether a second one follows.
    bool clickPending() const { return m_clickTimer.isActive(); }
    // The context menu as it stands now (its actions act on this control).
    std::unique_ptr<QMenu> makeContextMenu();
    void popupContextMenu(const QPoint& globalPos);
    // The control's keys; true when the key was one of them.
    bool handleKey(QKeyEvent* event);

signals:
    // For tests and the benchmark: the engine reached a new state.
    void engineStateChanged(MediaEngine::State state);
    // tags() changed: a new file was set (the tags are empty again), or its
    // tags were read.
    void tagsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Clicks on the picture play or pause; a double click is full screen.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Gives a new engine the picture area to draw in and hears what only
    // the picture needs (problems, the picture's size, the tracks).
    void attachEngine(MediaEngine* engine);
    void showMessage(const QString& text);
    void onMediumChanged(const QString& name);
    void onStateChanged(MediaEngine::State state);
    void onProblem(MediaEngine::Problem problem);
    void onVideoSize(QSize size);
    void onInfo(const MediaInfo& info);
    void askKindWhileAwaited();
    void updateScreenSaver();
    void releaseScreenSaver();
    void leaveFullScreenFor(const QString& name);

    MediaSession* m_session = nullptr;
    // A file given while full screen: it stays only if it proves a video.
    bool m_awaitingKind = false;
    // The picture, the message, where everything lies, and full screen.
    MediaPlayerView* m_view = nullptr;
    MediaPlayerBar* m_bar = nullptr;
    MediaPlayerCommands* m_commands = nullptr;
    QPointer<MediaPropertiesWindow> m_properties;
    QPointer<MediaStatisticsWindow> m_statistics;
    std::unique_ptr<ScreenSaverInhibitor> m_screenSaver;
    // A single click on the picture acts only once no second click came.
    QTimer m_clickTimer;
    bool m_releaseEndsDoubleClick = false;
};

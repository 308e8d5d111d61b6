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
// The engine is made on the first FileName, so an idle program carries none.

#include "engine/MediaEngine.h"
#include "engine/MediaTags.h"
#include "controls/mediaplayer/MediaPlayerLayout.h"
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

    QString FileName() const { return m_fileName; }
    // What reads the tags of each file that is set; without one no file has
    // tags.
    void setTagReader(MediaTagReaderPtr reader) { m_tagReader = std::move(reader); }
    // The tags of the file that is set (title, artist, album, copyright), as
    // far as they have been read; empty until then, for a file without tags,
    // and without a file. tagsChanged() tells when they change.
    MediaTags tags() const { return m_tags; }
    // Changes with every file that is set (FileName), the start sound too.
    quint64 mediumGeneration() const { return m_mediumGeneration; }
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
    // is fitted inside it or zoomed from its corner; audio shrinks the
    // control to its bar.
    void setDesignGeometry(const QRect& rect);
    QRect designGeometry() const { return m_view->design(); }

    // What the control shows in its rectangle when a file cannot be played;
    // empty while nothing is wrong.
    QString message() const;
    // The engine, once the first file was opened; nullptr before.
    MediaEngine* engine() const { return m_engine.get(); }
    MediaPlayerBar* bar() const { return m_bar; }
    // What the user can ask for, each once: the menu, the keys and the bar's
    // position buttons act through these.
    MediaPlayerCommands* commands() const { return m_commands; }
    // The area the video is drawn in (hidden while there is no picture).
    QWidget* videoArea() const { return m_view->videoArea(); }
    // The picture area around it (black where the picture does not reach).
    QWidget* screenArea() const { return m_view->screenArea(); }

    // What the user can ask for, from the bar, the menu or the keys.
    bool hasMedia() const;
    bool hasVideo() const;
    bool isPlaying() const;
    bool canSeek() const;
    void togglePlay();
    void toStart();
    void skip(qint64 deltaMs);  // never before the start or past the end
    PlayerZoom zoom() const { return m_view->zoom(); }
    void setZoom(PlayerZoom zoom);
    bool isFullScreen() const;
    void setFullScreen(bool on);
    MediaFullScreen* fullScreenWindow() const;
    void changeVolume(int delta);
    bool isMuted() const;
    void setMuted(bool muted);
    double rate() const { return m_rate; }
    void setRate(double rate);
    void showProperties();
    void showStatistics();
    // The medium's subtitle tracks and the one shown, as the engine reports
    // them; none for a new medium until then. setSubtitle shows track id (-1:
    // none) for this medium only.
    const MediaSubtitles& subtitles() const { return m_subtitles; }
    void setSubtitle(int id);
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
    // A new medium was given (FileName set).
    void fileNameChanged(const QString& name);
    void durationChanged(qint64 durationMs);
    void volumeChanged(int percent);
    void rateChanged(double rate);
    // A seek was asked for, by the bar or by seek().
    void seeked(qint64 positionMs);
    // tags() changed: a new file was set (the tags are empty again), or its
    // tags were read.
    void tagsChanged();
    // subtitles() changed.
    void subtitlesChanged();

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
    void ensureEngine();
    void showMessage(const QString& text);
    void onEngineState(MediaEngine::State state);
    void onProblem(MediaEngine::Problem problem);
    void onVideoSize(QSize size);
    void onInfo(const MediaInfo& info);
    void onPosition(qint64 ms);
    void updateSeekable();
    void updateScreenSaver();
    void releaseScreenSaver();
    void leaveFullScreenFor(const QString& name);
    void readTags(const QString& localPath);
    void onSubtitles(const MediaSubtitles& subtitles);

    MediaEngineFactory m_engineFactory;
    std::unique_ptr<MediaEngine> m_engine;
    QString m_fileName;
    MediaTagReaderPtr m_tagReader;
    MediaTags m_tags;
    // Counts the files set, so that tags of a file replaced since are dropped.
    quint64 m_mediumGeneration = 0;
    MediaEngine::State m_state = MediaEngine::State::Empty;
    double m_rate = 1.0;
    MediaSubtitles m_subtitles;
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

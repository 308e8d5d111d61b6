#pragma once
// The engine's worker: the one thread that makes every libVLC call, and the
// libVLC handles it owns. The GUI side hands it commands and, when the engine
// goes, hands the worker itself over: the worker stops what plays, frees its
// handles and ends by itself, however long libVLC takes to stop. Nothing on
// the GUI thread ever waits for it.
//
// Which thread owns what:
//   GUI thread      submit(), close(), m_requested (written), the mailbox's
//                   receiver (set and cleared), offerSubtitles()
//   worker thread   every libVLC handle, the stream source, the volume, the
//                   mute and the window, the arguments, the subtitle files
//                   handed, the subtitle choice and the last subtitle report
//   either          m_offered, under m_offerMutex (the GUI side puts, the
//                   worker takes)
//   libVLC threads  (the callbacks) only the atomics under "Seen by the
//                   callbacks", the mailbox and submit()

#include "engine/vlc/ReportMailbox.h"
#include "engine/vlc/SubtitleCopies.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include <vlc/vlc.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <variant>

// A stream medium as libVLC's stream callbacks see it.
struct StreamSource {
    std::shared_ptr<MediaStream> stream;
};

class VlcWorker {
public:
    // Starts the worker's thread, which keeps the worker alive until it ends.
    static std::shared_ptr<VlcWorker> start(QList<QByteArray> arguments, QString soundfont);

    VlcWorker(QList<QByteArray> arguments, QString soundfont);
    VlcWorker(const VlcWorker&) = delete;
    VlcWorker& operator=(const VlcWorker&) = delete;

    // Any thread: runs command on the worker after those before it.
    void submit(std::function<void(VlcWorker&)> command);
    // GUI thread: drops what is still queued; the worker stops, frees libVLC
    // and ends on its own.
    void close();
    bool isClosed();
    ReportMailbox& mailbox() { return m_mailbox; }

    // GUI thread: the newest medium asked for. An open of an older one that
    // is still queued is skipped.
    void request(quint64 generation) { m_requested.store(generation); }

    // Worker thread: what the commands do.
    void openFile(quint64 generation, const QString& path);
    void openStream(quint64 generation, std::shared_ptr<MediaStream> stream);
    // Whether generation is the medium in the player.
    bool isCurrent(quint64 generation) const;
    // Playing after the end, an error or a stop starts from the beginning;
    // after a pause it goes on.
    void playOrRestart();
    void pause();
    void stop();
    void seek(qint64 positionMs);
    void setVolume(int volume);
    void setMuted(bool muted);
    void setWindow(WId window);
    // Playback speed, kept for the media that follow.
    void setRate(double rate);
    // Reports what libVLC knows of the medium generation: its tracks, or
    // its running counts.
    void reportInfo(quint64 generation);
    void reportStatistics(quint64 generation);
    // Asks libVLC for the picture's size and reports it once it is known.
    void reportVideoSize(quint64 generation);
    // Gives a new audio output the volume, mute and speed again.
    void reapplyAudio(quint64 generation);

    // GUI thread: the subtitle files of medium generation, ready. A medium
    // that has not started yet takes them with it; one that plays gets them
    // added.
    void offerSubtitles(quint64 generation, PreparedSubtitles subtitles);
    // Worker thread: adds the files offered for generation while it plays.
    void addOfferedSubtitles(quint64 generation);
    // Shows subtitle track id (-1: none) for the rest of the medium.
    void setSubtitle(int id);
    // Reports the subtitle tracks of generation when they changed, and
    // keeps the choice made for it when libVLC picks a track by itself (as
    // it does whenever the medium starts again). Called on every subtitle
    // track event.
    void reportSubtitles(quint64 generation);

    // Seen by the callbacks: the generation of the medium in the player (0
    // while none), the tracks libVLC found in it and how many of them got a
    // decoder, whether it is a MIDI file, the generation whose video output
    // exists and the one whose picture size has been reported (libVLC may
    // know the size only a little after it announces the output).
    std::atomic<quint64> playing{0};
    std::atomic<int> tracks{0};
    std::atomic<int> decodedTracks{0};
    std::atomic<bool> midi{false};
    std::atomic<quint64> withVideo{0};
    std::atomic<quint64> sized{0};

private:
    static void run(std::shared_ptr<VlcWorker> self);
    void serveCommands();
    bool ensurePlayer();
    void applyWindow();
    void releaseMedium();
    void startMedium(quint64 generation, libvlc_media_t* media, bool isMidi);
    void detachEvents();
    void releaseAll();
    std::optional<PreparedSubtitles> takeOfferedSubtitles(quint64 generation);

    ReportMailbox m_mailbox;

    std::mutex m_queueMutex;
    std::condition_variable m_queueWake;
    std::deque<std::function<void(VlcWorker&)>> m_queue;
    bool m_closed = false;
    std::atomic<quint64> m_requested{0};

    const QList<QByteArray> m_arguments;
    const QString m_soundfont;
    libvlc_instance_t* m_vlc = nullptr;
    bool m_vlcFailed = false;
    libvlc_media_player_t* m_player = nullptr;
    libvlc_media_t* m_media = nullptr;
    std::unique_ptr<StreamSource> m_source;
    int m_volume = 100;
    bool m_muted = false;
    double m_rate = 1.0;
    WId m_window = 0;

    std::mutex m_offerMutex;
    quint64 m_offeredFor = 0;
    std::optional<PreparedSubtitles> m_offered;
    // The subtitle files the medium in the player was given (their copies
    // stay until it goes), the track chosen for it, and what was reported.
    PreparedSubtitles m_subtitles;
    std::optional<int> m_subtitleChoice;
    std::optional<MediaSubtitles> m_reportedSubtitles;
};

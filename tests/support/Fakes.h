#pragma once
// Fakes for the outside world: they record what they were asked and answer
// from a script.

#include "engine/CdDrive.h"
#include "controls/dialogs/FileDialogs.h"
#include "engine/MediaEngine.h"
#include "engine/MediaTags.h"
#include "controls/dialogs/MessageBoxes.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

class FakeFileDialogs final : public FileDialogs {
public:
    // Answers, in order; an empty optional is a cancel. With no answer left
    // the dialog is cancelled.
    std::deque<std::optional<QString>> answers;
    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;

    // Runs while a dialog is "open", as the user's wait would let events in.
    std::function<void()> whileOpen;

    void choose(const QString& path) { answers.push_back(path); }
    void cancel() { answers.push_back(std::nullopt); }

    std::optional<QString> showOpen(const FileDialogRequest& request) override
    {
        openRequests << request;
        if (whileOpen)
            whileOpen();
        return next();
    }
    std::optional<QString> showSave(const FileDialogRequest& request) override
    {
        saveRequests << request;
        if (whileOpen)
            whileOpen();
        return next();
    }

private:
    std::optional<QString> next()
    {
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
    };
    QList<Shown> shown;
    // Every message and beep in order, beeps as "<beep>".
    QStringList events;
    int beeps = 0;
    // Runs while a message is "up", as the user's wait would let events in.
    std::function<void()> whileShown;

    void show(const QString& text, const QString& title) override
    {
        shown << Shown{text, title};
        events << text;
        if (whileShown)
            whileShown();
    }
    void beep() override
    {
        ++beeps;
        events << QStringLiteral("<beep>");
    }
};

// Records every command; reports nothing unless a test makes it. Reports
// arrive as the real engine's do: queued, once the event loop runs, never
// inside the call that made them.
class FakeMediaEngine final : public MediaEngine {
public:
    using MediaEngine::MediaEngine;
    QStringList opened;   // paths given to open(), in order
    QStringList commands; // "open <path>", "stream", "play", "pause", "stop", ...
    std::shared_ptr<MediaStream> lastStream;
    int reportsDelivered = 0; // reports that have reached their receivers

    void open(const QString& localPath) override
    {
        opened << localPath;
        commands << QStringLiteral("open ") + localPath;
    }
    void openStream(std::shared_ptr<MediaStream> stream) override
    {
        lastStream = std::move(stream);
        commands << QStringLiteral("stream");
    }
    void play() override { commands << QStringLiteral("play"); }
    void pause() override { commands << QStringLiteral("pause"); }
    void stop() override { commands << QStringLiteral("stop"); }
    void seek(qint64 ms) override { commands << QStringLiteral("seek %1").arg(ms); }
    void setVolume(int percent) override { commands << QStringLiteral("volume %1").arg(percent); }
    void setMuted(bool muted) override { commands << (muted ? QStringLiteral("mute") : QStringLiteral("unmute")); }
    void setVideoWindow(WId) override {}
    void setRate(double rate) override { commands << QStringLiteral("rate %1").arg(rate); }
    void setSubtitle(int id) override { commands << QStringLiteral("subtitle %1").arg(id); }
    // Answered at once from what the test put here.
    MediaInfo info;
    MediaStatistics statistics;
    void requestInfo() override { emit infoReady(info); }
    void requestStatistics() override { emit statisticsReady(statistics); }

    void reportState(State state) { post([this, state] { emit stateChanged(state); }); }
    void reportPosition(qint64 ms) { post([this, ms] { emit positionChanged(ms); }); }
    void reportDuration(qint64 ms) { post([this, ms] { emit durationChanged(ms); }); }
    void reportVideoSize(QSize size) { post([this, size] { emit videoSizeChanged(size); }); }
    void reportProblem(Problem what) { post([this, what] { emit problem(what); }); }
    void reportSubtitles(const MediaSubtitles& s) { post([this, s] { emit subtitlesChanged(s); }); }

private:
    template <typename Emit>
    void post(Emit emitIt)
    {
        QMetaObject::invokeMethod(
            this,
            [this, emitIt] {
                emitIt();
                ++reportsDelivered;
            },
            Qt::QueuedConnection);
    }
};

// A disc held in memory: tracks of sectors filled with a byte per track.
class FakeCdDrive final : public CdDrive {
public:
    QList<Track> discTracks;
    CdText discText;
    int ejects = 0;

    QList<Track> tracks() const override { return discTracks; }
    CdText cdText() const override { return discText; }
    bool readAudioSectors(void* buffer, qint32 sector, qint32 count) override;
    bool eject() override
    {
        ++ejects;
        return true;
    }
};

// Tags by path, from a script. Read from the background pool, like the real
// reader: fill it before the first read.
class FakeMediaTagReader final : public MediaTagReader {
public:
    QHash<QString, MediaTags> tags;
    MediaTags read(const QString& localPath) const override { return tags.value(localPath); }
};

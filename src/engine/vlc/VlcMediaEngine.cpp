// The GUI side of the libVLC engine: it queues commands for the worker and
// turns the worker's reports into signals.
#include "engine/vlc/VlcMediaEngine.h"

#include "engine/vlc/SubtitleCopies.h"
#include "engine/vlc/VlcArguments.h"
#include "engine/vlc/VlcWorker.h"
#include "system/BackgroundTask.h"

#include <QGuiApplication>

namespace {

using State = MediaEngine::State;
using Problem = MediaEngine::Problem;

class VlcMediaEngine final : public MediaEngine {
public:
    explicit VlcMediaEngine(const QStringList& extraArguments);
    ~VlcMediaEngine() override;

    void open(const QString& localPath) override;
    void openStream(std::shared_ptr<MediaStream> stream) override;
    void play() override;
    void pause() override;
    void stop() override;
    void seek(qint64 positionMs) override;
    void setVolume(int percent) override;
    void setMuted(bool muted) override;
    void setVideoWindow(WId window) override;
    void setRate(double rate) override;
    void requestInfo() override;
    void requestStatistics() override;
    void setSubtitle(int id) override;

private:
    // Every report arrives here, on the GUI thread; one about a medium that
    // has been replaced since is dropped.
    void receive(quint64 generation, const EngineReport& report);
    void receiveState(State state);
    void receiveProblem(Problem problem);
    quint64 beginMedium();
    // Finds and readies the subtitle files of a file medium; playback starts
    // without waiting for them.
    void prepareSubtitlesOf(quint64 generation, const QString& localPath);
    // Runs command on the worker if the current medium is still in the player.
    void toCurrent(std::function<void(VlcWorker&)> command);

    std::shared_ptr<VlcWorker> m_worker;
    quint64 m_generation = 0;
    State m_state = State::Empty;
};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

VlcMediaEngine::VlcMediaEngine(const QStringList& extraArguments)
{
    QString soundfont;
    QList<QByteArray> arguments = vlcArguments(extraArguments, QGuiApplication::platformName(), &soundfont);
    m_worker = VlcWorker::start(std::move(arguments), std::move(soundfont));
    m_worker->mailbox().open(this, [this](quint64 generation, const EngineReport& report) { receive(generation, report); });
}

VlcMediaEngine::~VlcMediaEngine()
{
    // The worker stops and frees libVLC on its own thread.
    m_worker->close();
}

quint64 VlcMediaEngine::beginMedium()
{
    m_state = State::Empty;
    m_worker->request(++m_generation);
    return m_generation;
}

void VlcMediaEngine::open(const QString& localPath)
{
    const quint64 generation = beginMedium();
    m_worker->submit([generation, localPath](VlcWorker& w) { w.openFile(generation, localPath); });
    prepareSubtitlesOf(generation, localPath);
}

void VlcMediaEngine::prepareSubtitlesOf(quint64 generation, const QString& localPath)
{
    runInBackground(
        this, [localPath] { return prepareSubtitles(localPath); },
        [this, generation](PreparedSubtitles subtitles) {
            if (generation == m_generation && !subtitles.files.isEmpty())
                m_worker->offerSubtitles(generation, std::move(subtitles));
        });
}

void VlcMediaEngine::openStream(std::shared_ptr<MediaStream> stream)
{
    const quint64 generation = beginMedium();
    m_worker->submit([generation, stream = std::move(stream)](VlcWorker& w) { w.openStream(generation, stream); });
}

void VlcMediaEngine::toCurrent(std::function<void(VlcWorker&)> command)
{
    m_worker->submit([generation = m_generation, command = std::move(command)](VlcWorker& w) {
        if (w.isCurrent(generation))
            command(w);
    });
}

void VlcMediaEngine::play()
{
    toCurrent([](VlcWorker& w) { w.playOrRestart(); });
}

void VlcMediaEngine::pause()
{
    toCurrent([](VlcWorker& w) { w.pause(); });
}

void VlcMediaEngine::stop()
{
    // libVLC has stopped by itself at the end already; stopping now only
    // leaves the end behind.
    if (m_state == State::Ended) {
        m_state = State::Stopped;
        emit stateChanged(State::Stopped);
    }
    toCurrent([](VlcWorker& w) { w.stop(); });
}

void VlcMediaEngine::seek(qint64 positionMs)
{
    toCurrent([positionMs](VlcWorker& w) { w.seek(positionMs); });
}

void VlcMediaEngine::setVolume(int percent)
{
    const int volume = qBound(0, percent, 100);
    m_worker->submit([volume](VlcWorker& w) { w.setVolume(volume); });
}

void VlcMediaEngine::setMuted(bool muted)
{
    m_worker->submit([muted](VlcWorker& w) { w.setMuted(muted); });
}

void VlcMediaEngine::setVideoWindow(WId window)
{
    m_worker->submit([window](VlcWorker& w) { w.setWindow(window); });
}

void VlcMediaEngine::setRate(double rate)
{
    m_worker->submit([rate](VlcWorker& w) { w.setRate(rate); });
}

void VlcMediaEngine::requestInfo()
{
    m_worker->submit([generation = m_generation](VlcWorker& w) { w.reportInfo(generation); });
}

void VlcMediaEngine::requestStatistics()
{
    m_worker->submit([generation = m_generation](VlcWorker& w) { w.reportStatistics(generation); });
}

void VlcMediaEngine::setSubtitle(int id)
{
    toCurrent([id](VlcWorker& w) { w.setSubtitle(id); });
}

void VlcMediaEngine::receive(quint64 generation, const EngineReport& report)
{
    if (generation != m_generation)
        return;
    std::visit(Overloaded{
                   [this](State state) { receiveState(state); },
                   [this](Problem problem) { receiveProblem(problem); },
                   [this](PositionReport position) { emit positionChanged(position.ms); },
                   [this](DurationReport duration) { emit durationChanged(duration.ms); },
                   [this](QSize size) { emit videoSizeChanged(size); },
                   [this](const MediaInfo& info) { emit infoReady(info); },
                   [this](const MediaStatistics& statistics) { emit statisticsReady(statistics); },
                   [this](const MediaSubtitles& subtitles) { emit subtitlesChanged(subtitles); },
               },
               report);
}

void VlcMediaEngine::receiveState(State state)
{
    if (state == m_state)
        return;
    // libVLC reports a stop of its own after the end and after an error;
    // the player stays at the end, or unplayable, until given a new medium.
    if ((m_state == State::Ended || m_state == State::Error) && state == State::Stopped)
        return;
    m_state = state;
    emit stateChanged(state);
}

void VlcMediaEngine::receiveProblem(Problem problem)
{
    if (m_state == State::Error)
        return;
    emit this->problem(problem);
    m_state = State::Error;
    emit stateChanged(State::Error);
}

} // namespace

std::unique_ptr<MediaEngine> makeVlcMediaEngine(const QStringList& extraArguments)
{
    return std::make_unique<VlcMediaEngine>(extraArguments);
}

#pragma once
// How the engine's worker and libVLC's callbacks reach the GUI side: plain
// values, each tagged with the generation of the medium it is about.

#include "engine/MediaEngine.h"

#include <QObject>
#include <QSize>
#include <functional>
#include <mutex>
#include <variant>

struct PositionReport {
    qint64 ms = 0;
};
struct DurationReport {
    qint64 ms = 0;
};
// What the worker and libVLC's callbacks tell the GUI side, as plain values.
using EngineReport = std::variant<MediaEngine::State, MediaEngine::Problem, PositionReport, DurationReport, QSize,
                                  MediaInfo, MediaStatistics, MediaSubtitles>;

// The GUI side's address. Reports posted to it arrive on the receiver's
// thread as queued calls, and only while the receiver is there.
class ReportMailbox {
public:
    using Deliver = std::function<void(quint64 generation, const EngineReport& report)>;
    void open(QObject* receiver, Deliver deliver);
    void close();
    void post(quint64 generation, const EngineReport& report);

private:
    std::mutex m_mutex;
    QObject* m_receiver = nullptr;
    Deliver m_deliver;
};


#include "desktop/OutsideRequests.h"

#include "app/frmMain.h"

#include <QElapsedTimer>

namespace {
// A slice of the queue: then the window draws and answers again.
constexpr qint64 kSliceMs = 20;
} // namespace

OutsideRequests::OutsideRequests(frmMain& form, QObject* parent) : QObject(parent), m_form(form)
{
    // Once the handler that waited has returned, not inside it.
    connect(&form, &frmMain::handlerWaitEnded, this, &OutsideRequests::runLater);
}

OutsideRequests::~OutsideRequests() = default;

bool OutsideRequests::hasRoomFor(qsizetype files) const
{
    return qsizetype(m_waiting.size()) < kMaxRequests && m_files + files <= kMaxFiles;
}

bool OutsideRequests::run(std::function<void()> request, qsizetype files)
{
    if (!hasRoomFor(files))
        return false;
    push(std::move(request), files);
    return true;
}

void OutsideRequests::push(std::function<void()> request, qsizetype files)
{
    if (m_form.isEnding())
        return;
    m_waiting.push_back({std::move(request), files});
    m_files += files;
    runLater();
}

void OutsideRequests::runLater()
{
    if (m_posted || m_waiting.empty())
        return;
    m_posted = true;
    QMetaObject::invokeMethod(this, &OutsideRequests::runWaiting, Qt::QueuedConnection);
}

void OutsideRequests::runWaiting()
{
    m_posted = false;
    if (m_running)
        return;
    m_running = true;
    QElapsedTimer slice;
    slice.start();
    // A handler that waits ends with handlerWaitEnded, which runs the rest.
    while (!m_waiting.empty() && !m_form.isEnding() && !m_form.HandlerWaits()) {
        if (slice.hasExpired(kSliceMs)) {
            runLater();
            break;
        }
        Waiting next = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_files -= next.files;
        next.request();
    }
    if (m_form.isEnding()) {
        m_waiting.clear();
        m_files = 0;
    }
    m_running = false;
}

#include "desktop/OutsideRequests.h"

#include "app/frmMain.h"

namespace {
constexpr int kLookAgainMs = 100;
} // namespace

OutsideRequests::OutsideRequests(frmMain& form, QObject* parent) : QObject(parent), m_form(form)
{
    m_lookAgain.setSingleShot(true);
    m_lookAgain.setInterval(kLookAgainMs);
    connect(&m_lookAgain, &QTimer::timeout, this, &OutsideRequests::runWaiting);
    // Once the handler that waited has returned, not inside it.
    connect(&form, &frmMain::handlerWaitEnded, this, [this] {
        QMetaObject::invokeMethod(this, &OutsideRequests::runWaiting, Qt::QueuedConnection);
    });
}

OutsideRequests::~OutsideRequests() = default;

void OutsideRequests::run(std::function<void()> request)
{
    if (m_form.isEnding())
        return;
    if (m_waiting.empty() && !m_running && !m_form.HandlerWaits()) {
        request();
        return;
    }
    m_waiting.push_back(std::move(request));
    if (!m_running)
        m_lookAgain.start();
}

void OutsideRequests::runWaiting()
{
    if (m_running)
        return;
    m_running = true;
    while (!m_waiting.empty() && !m_form.isEnding()) {
        if (m_form.HandlerWaits()) {
            m_lookAgain.start();
            break;
        }
        const std::function<void()> request = std::move(m_waiting.front());
        m_waiting.pop_front();
        request();
    }
    if (m_form.isEnding())
        m_waiting.clear();
    m_running = false;
}

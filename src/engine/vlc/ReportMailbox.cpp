#include "engine/vlc/ReportMailbox.h"

#include <QMetaObject>

void ReportMailbox::open(QObject* receiver, Deliver deliver)
{
    std::lock_guard lock(m_mutex);
    m_receiver = receiver;
    m_deliver = std::move(deliver);
}

void ReportMailbox::close()
{
    std::lock_guard lock(m_mutex);
    m_receiver = nullptr;
}

void ReportMailbox::post(quint64 generation, const EngineReport& report)
{
    // Under the lock the receiver cannot go while the call is posted; once it
    // has gone, its pending calls go with it.
    std::lock_guard lock(m_mutex);
    if (m_receiver)
        QMetaObject::invokeMethod(
            m_receiver, [deliver = m_deliver, generation, report] { deliver(generation, report); },
            Qt::QueuedConnection);
}


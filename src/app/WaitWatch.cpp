#include "app/WaitWatch.h"

WaitWatch::WaitWatch(FileDialogs& dialogs, MessageBoxes& messages)
    : m_watchedDialogs(*this, dialogs), m_watchedMessages(*this, messages)
{
}

WaitWatch::~WaitWatch() = default;

template <typename Wait>
auto WaitWatch::counted(Wait wait)
{
    struct Count {
        WaitWatch& watch;
        explicit Count(WaitWatch& w) : watch(w) { ++watch.m_depth; }
        ~Count()
        {
            if (--watch.m_depth == 0)
                emit watch.waitEnded();
        }
    } count(*this);
    return wait();
}

std::optional<QString> WaitWatch::Dialogs::showOpen(const FileDialogRequest& request)
{
    return m_watch.counted([&] { return m_inner.showOpen(request); });
}

std::optional<QString> WaitWatch::Dialogs::showSave(const FileDialogRequest& request)
{
    return m_watch.counted([&] { return m_inner.showSave(request); });
}

void WaitWatch::Messages::show(const QString& text, const QString& title)
{
    m_watch.counted([&] { m_inner.show(text, title); });
}

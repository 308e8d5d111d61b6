#pragma once
// The one way to run work that must not hold up the GUI thread (opening a
// drive, ejecting it, decoding a big picture, reading a file's tags): the
// work runs on a thread pool and its result is handed to done on the
// receiver's thread, but only while the receiver lives. When the receiver is
// gone first, done is never called and the result is dropped.
//
// runInBackground: nothing is detached and nothing outlives the application.
// The pool is the application's. At quit the tasks that have not started yet
// are dropped; the application object, as it goes, waits for the ones
// already running (each is one short, bounded call).
//
// runLeavable: work that reads a file and may stall on a slow or hung file
// system (a file's tags) runs on a pool of its own, which nobody ever waits
// for: the one exception to the rule above. At quit its waiting tasks are
// dropped as well, but a task already running is left behind: the program
// releases what it holds, writes what it must, and ends its process around
// the stalled thread (main/ProcessExit.h) instead of joining it. Such work
// touches only what it was given, and its result reaches no receiver once
// the application is gone.
//
// The media engine is the other exception: libVLC wants a thread of its own.

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <mutex>
#include <type_traits>

namespace background_detail {

// Stands for the receiver: a child of it, so it goes when the receiver goes,
// and with it every result still on its way.
class Courier final : public QObject {
public:
    struct Gate {
        std::mutex mutex;
        Courier* courier = nullptr;
    };

    explicit Courier(QObject* receiver) : QObject(receiver) { m_gate->courier = this; }
    ~Courier() override
    {
        std::lock_guard lock(m_gate->mutex);
        m_gate->courier = nullptr;
    }
    std::shared_ptr<Gate> gate() const { return m_gate; }

private:
    std::shared_ptr<Gate> m_gate = std::make_shared<Gate>();
};

inline void dropWaitingTasksAtQuit(QThreadPool& pool)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, [&pool] { pool.clear(); });
}

// Leavable tasks not yet done: each holds one Counted, in the task itself,
// which goes when the task has run or was dropped unstarted.
inline std::atomic<int> leavableTasks{0};
struct Counted {
    Counted() { ++leavableTasks; }
    Counted(const Counted&) : Counted() {}
    ~Counted() { --leavableTasks; }
};

template <class Work, class Done>
void start(QThreadPool& pool, QObject* receiver, Work work, Done done)
{
    using Result = std::decay_t<std::invoke_result_t<Work&>>;
    auto* courier = new Courier(receiver);
    auto finish = std::make_shared<Done>(std::move(done));
    pool.start([gate = courier->gate(), work = std::move(work), finish]() mutable {
        auto result = std::make_shared<Result>(work());
        // Under the gate's lock the courier cannot go while the result is
        // posted to it; once it has gone, its pending deliveries go with it.
        std::lock_guard lock(gate->mutex);
        if (Courier* to = gate->courier)
            QMetaObject::invokeMethod(
                to,
                [to, finish, result] {
                    const QPointer<Courier> self(to);
                    (*finish)(std::move(*result));
                    if (self)
                        self->deleteLater();
                },
                Qt::QueuedConnection);
    });
}

} // namespace background_detail

// The pool of leavable work (tests wait on it).
inline QThreadPool& leavablePool()
{
    // Never destroyed: its destructor would wait for a read that may never end.
    static QThreadPool* const pool = [] {
        auto* made = new QThreadPool;
        // Room for a few stalled reads before later ones have to wait.
        made->setMaxThreadCount(4);
        background_detail::dropWaitingTasksAtQuit(*made);
        return made;
    }();
    return *pool;
}

// Runs work() on the application's pool, then done(result) on receiver's
// thread while receiver lives. Call it on receiver's thread.
template <class Work, class Done>
void runInBackground(QObject* receiver, Work work, Done done)
{
    static std::once_flag once;
    std::call_once(once, [] { background_detail::dropWaitingTasksAtQuit(*QThreadPool::globalInstance()); });
    background_detail::start(*QThreadPool::globalInstance(), receiver, std::move(work), std::move(done));
}

// runInBackground for work that may stall on a file system, on the pool that
// the end of the program does not wait for.
template <class Work, class Done>
void runLeavable(QObject* receiver, Work work, Done done)
{
    background_detail::start(leavablePool(), receiver,
                             [counted = background_detail::Counted(), work = std::move(work)]() mutable {
                                 return work();
                             },
                             std::move(done));
}

// Whether leavable work is still running (or waiting to run).
inline bool leavableWorkRunning()
{
    return background_detail::leavableTasks.load() > 0;
}

#pragma once
// The one way to run work that must not hold up the GUI thread (opening a
// drive, ejecting it, decoding a big picture): the work runs on Qt's global
// thread pool and its result is handed to done on the receiver's thread, but
// only while the receiver lives. When the receiver is gone first, done is
// never called and the result is dropped.
//
// Nothing is detached and nothing outlives the application: the pool is the
// application's. At quit the tasks that have not started yet are dropped;
// the application object, as it goes, waits for the ones already running
// (each is one short, bounded call).
//
// The media engine is the one exception: libVLC wants a thread of its own.

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

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

inline void dropWaitingTasksAtQuit()
{
    static std::once_flag once;
    if (QCoreApplication* app = QCoreApplication::instance())
        std::call_once(once, [app] {
            QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] { QThreadPool::globalInstance()->clear(); });
        });
}

} // namespace background_detail

// Runs work() on the pool, then done(result) on receiver's thread while
// receiver lives. Call it on receiver's thread.
template <class Work, class Done>
void runInBackground(QObject* receiver, Work work, Done done)
{
    using Result = std::decay_t<std::invoke_result_t<Work&>>;
    using background_detail::Courier;
    background_detail::dropWaitingTasksAtQuit();
    auto* courier = new Courier(receiver);
    auto finish = std::make_shared<Done>(std::move(done));
    QThreadPool::globalInstance()->start([gate = courier->gate(), work = std::move(work), finish]() mutable {
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

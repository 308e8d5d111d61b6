// The background helper's one real risk: a receiver that is gone before the
// result arrives.
#include "system/BackgroundTask.h"
#include "support/WaitFor.h"

#include <QThread>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace {

// Holds the work until released.
struct Latch {
    std::mutex mutex;
    std::condition_variable wake;
    bool open = false;
    void wait()
    {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return open; });
    }
    void release()
    {
        {
            std::lock_guard lock(mutex);
            open = true;
        }
        wake.notify_all();
    }
};

// A result that knows whether it still exists.
struct Result {
    std::shared_ptr<int> token = std::make_shared<int>(7);
};

TEST(BackgroundTask, ResultReachesOnlyALivingReceiverOnItsThread)
{
    enum class Receiver { Lives, GoneWhileWorking, GoneBeforeDelivery };
    for (Receiver when : {Receiver::Lives, Receiver::GoneWhileWorking, Receiver::GoneBeforeDelivery}) {
        SCOPED_TRACE(int(when));
        auto* receiver = new QObject;
        Latch latch;
        std::weak_ptr<int> token;
        int delivered = 0;
        QThread* deliveredOn = nullptr;
        runInBackground(
            receiver,
            [&latch, &token] {
                latch.wait();
                Result result;
                token = result.token;
                return result;
            },
            [&](Result result) {
                ++delivered;
                deliveredOn = QThread::currentThread();
                EXPECT_EQ(*result.token, 7);
            });

        if (when == Receiver::GoneWhileWorking)
            delete receiver;
        latch.release();
        // The result is made and posted; nothing has been delivered yet.
        QThreadPool::globalInstance()->waitForDone();
        if (when == Receiver::GoneBeforeDelivery)
            delete receiver;

        if (when == Receiver::Lives) {
            ASSERT_TRUE(waitFor([&] { return delivered > 0; }));
            EXPECT_EQ(deliveredOn, QThread::currentThread());
            delete receiver;
        }
        // Whatever happened, the result is let go of, and delivered at most
        // once and only to a living receiver.
        EXPECT_TRUE(waitFor([&] { return token.expired(); }));
        EXPECT_EQ(delivered, when == Receiver::Lives ? 1 : 0);
    }
}

} // namespace

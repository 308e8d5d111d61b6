// The player control keeps the screen on while a video plays, against a fake
// org.freedesktop.ScreenSaver service on a private session bus (run under
// dbus-run-session). The service answers on a thread of its own, as a
// desktop's would from its own process.

#include "support/PlayerFixture.h"
#include "support/WaitFor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMutex>
#include <QThread>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    struct Call {
        QString method, application, reason;
        uint cookie = 0;
    };
    QList<Call> calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    // Cookies handed out and not yet given back.
    QList<uint> held() const
    {
        QMutexLocker lock(&m_mutex);
        return m_held;
    }

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        QMutexLocker lock(&m_mutex);
        const uint cookie = ++m_next;
        m_calls << Call{QStringLiteral("Inhibit"), application, reason, cookie};
        m_held << cookie;
        return cookie;
    }
    void UnInhibit(uint cookie)
    {
        QMutexLocker lock(&m_mutex);
        m_calls << Call{QStringLiteral("UnInhibit"), {}, {}, cookie};
        m_held.removeAll(cookie);
    }

private:
    mutable QMutex m_mutex;
    QList<Call> m_calls;
    QList<uint> m_held;
    uint m_next = 40;
};

class ScreenSaverTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "no session bus: run under dbus-run-session";
        m_thread.start();
        m_service.moveToThread(&m_thread);
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake"));
        if (!bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")))
            GTEST_SKIP() << "a screen saver service runs on this bus already";
        ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &m_service,
                                       QDBusConnection::ExportAllSlots));
    }
    void TearDown() override
    {
        delete m_player;
        m_player = nullptr;
        QDBusConnection::disconnectFromBus(QStringLiteral("fake"));
        m_thread.quit();
        m_thread.wait();
    }

    int count(const QString& method) const
    {
        int n = 0;
        for (const auto& call : m_service.calls())
            n += call.method == method;
        return n;
    }

    FakeScreenSaver m_service;
    QThread m_thread;
};

TEST_F(ScreenSaverTest, OneInhibitWhileAVideoPlaysReleasedOnPauseAndQuitNoneForAudio)
{
    load(QStringLiteral("/music/a.mp3"));
    load(QStringLiteral("/films/a.avi"), QSize(320, 240));
    ASSERT_TRUE(waitFor([&] { return m_service.held().size() == 1; }, 5000));
    const auto first = m_service.calls().first();
    EXPECT_EQ(first.method, QStringLiteral("Inhibit"));  // nothing for the sound before
    EXPECT_EQ(first.application, QStringLiteral("Sorvanel"));
    EXPECT_FALSE(first.reason.isEmpty());

    // Position reports while it plays ask nothing more.
    emit m_engine->positionChanged(1000);
    emit m_engine->stateChanged(MediaEngine::State::Playing);

    emit m_engine->stateChanged(MediaEngine::State::Paused);
    ASSERT_TRUE(waitFor([&] { return m_service.held().isEmpty(); }, 5000));
    EXPECT_EQ(m_service.calls().last().cookie, first.cookie);

    emit m_engine->stateChanged(MediaEngine::State::Playing);
    ASSERT_TRUE(waitFor([&] { return m_service.held().size() == 1; }, 5000));
    const uint second = m_service.held().first();

    // A sound given now lets go; quitting with a video playing lets go too.
    load(QStringLiteral("/music/b.mp3"));
    ASSERT_TRUE(waitFor([&] { return m_service.held().isEmpty(); }, 5000));
    load(QStringLiteral("/films/b.avi"), QSize(320, 240));
    ASSERT_TRUE(waitFor([&] { return m_service.held().size() == 1; }, 5000));
    delete m_player;
    m_player = nullptr;
    // Sent before the control went; on a loaded machine the answer may come
    // after the control stopped waiting for it.
    EXPECT_TRUE(waitFor([&] { return m_service.held().isEmpty(); }, 5000));
    EXPECT_EQ(count(QStringLiteral("Inhibit")), 3);
    EXPECT_EQ(count(QStringLiteral("UnInhibit")), 3);
    EXPECT_NE(second, first.cookie);
}

} // namespace

#include "ScreenSaverTest.moc"

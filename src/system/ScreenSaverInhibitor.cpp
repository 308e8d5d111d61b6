#include "system/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kApplication = QStringLiteral("Sorvanel");
constexpr int kReleaseWaitMs = 500;
constexpr int kInhibitWaitMs = 2000;
const QString kReason = QStringLiteral("動画を再生しています");

// The session bus, when there is one to reach: never one started for us.
bool hasSessionBus()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

QDBusMessage call(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QObject* parent) : QObject(parent) {}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    m_wanted = false;
    // An Inhibit still on its way when the control goes: its cookie is
    // awaited here (at most kInhibitWaitMs) so that it is given back too.
    if (m_pending && m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->waitForFinished();
        const QDBusPendingReply<quint32> reply = *m_watcher;
        if (!reply.isError()) {
            m_cookie = reply.value();
            m_haveCookie = true;
        }
    }
    release();
}

void ScreenSaverInhibitor::setActive(bool active)
{
    if (active == m_wanted)
        return;
    m_wanted = active;
    if (active)
        inhibit();
    else
        release();
}

void ScreenSaverInhibitor::inhibit()
{
    if (m_pending || m_haveCookie || !hasSessionBus())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage message = call(QStringLiteral("Inhibit"));
    message << kApplication << kReason;
    m_pending = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, kInhibitWaitMs), this);
    m_watcher = watcher;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        m_pending = false;
        const QDBusPendingReply<quint32> reply = *done;
        if (reply.isError())
            return;  // no such service here: nothing to keep on
        m_cookie = reply.value();
        m_haveCookie = true;
        // Let go at once if that was asked for meanwhile.
        if (!m_wanted)
            release();
    });
}

void ScreenSaverInhibitor::release()
{
    if (!m_haveCookie)
        return;  // a pending Inhibit lets go when its cookie arrives
    m_haveCookie = false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage message = call(QStringLiteral("UnInhibit"));
    message << m_cookie;
    // Sent and answered before going on, so that a release just before the
    // program ends is not lost; the desktop answers at once.
    bus.call(message, QDBus::Block, kReleaseWaitMs);
}

#include "desktop/OneWindow.h"

#include "system/SystemCalls.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {
const QString kGreeting = QStringLiteral("sorvan hand-over 1");
constexpr int kRetryMs = 20;
} // namespace

namespace one_window {

QString socketName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("sorvan-") + sys::userKey();
#else
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/sorvan-runtime-") + sys::userKey();
    return folder + QStringLiteral("/sorvan.socket");
#endif
}

namespace {
QString lockPath(const QString& socket)
{
#ifdef Q_OS_WIN
    return QDir::tempPath() + QLatin1Char('/') + socket + QStringLiteral(".lock");
#else
    return socket + QStringLiteral(".lock");
#endif
}
} // namespace

std::optional<QStringList> sendToRunningWindow(const QString& socket, const QStringList& names, int timeoutMs)
{
    QLocalSocket window;
    window.connectToServer(socket);
    const QDeadlineTimer deadline(timeoutMs);
    if (!window.waitForConnected(timeoutMs))
        return std::nullopt;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << kGreeting << names;
    window.write(message);
    if (!window.waitForBytesWritten(int(deadline.remainingTime())))
        return std::nullopt;
    QDataStream reply(&window);
    while (window.waitForReadyRead(int(deadline.remainingTime()))) {
        reply.startTransaction();
        QStringList refused;
        reply >> refused;
        if (reply.commitTransaction())
            return refused;
    }
    return std::nullopt;
}

Start handOverOrBeFirst(const QString& socket, const QStringList& names, int timeoutMs)
{
    auto lock = std::make_unique<QLockFile>(lockPath(socket));
    // Held for the life of the first window: only a lock whose process is
    // gone is stale.
    lock->setStaleLockTime(0);
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (std::optional<QStringList> refused = sendToRunningWindow(socket, names, int(deadline.remainingTime())))
            return {false, nullptr, *refused};
        if (lock->tryLock(0))
            return {true, std::move(lock), {}};
        // Another launch won and is not listening yet.
        QThread::msleep(kRetryMs);
    } while (!deadline.hasExpired());
    // The lock's holder never answered: a window of its own, without the
    // socket that holder may yet make.
    return {true, nullptr, {}};
}

} // namespace one_window

LaunchListener::LaunchListener(std::function<QStringList(const QStringList&)> take, std::function<void()> raise,
                               QObject* parent)
    : QObject(parent), m_take(std::move(take)), m_raise(std::move(raise))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* launch = m_server.nextPendingConnection()) {
            connect(launch, &QLocalSocket::readyRead, this, [this, launch] { serve(launch); });
            connect(launch, &QLocalSocket::disconnected, launch, &QObject::deleteLater);
            serve(launch);
        }
    });
}

bool LaunchListener::listen(const QString& socket)
{
    QLocalServer::removeServer(socket);
    return m_server.listen(socket);
}

void LaunchListener::serve(QLocalSocket* launch)
{
    QDataStream in(launch);
    in.startTransaction();
    QString greeting;
    QStringList names;
    in >> greeting >> names;
    if (!in.commitTransaction())
        return;  // more to come
    if (greeting != kGreeting) {
        launch->abort();
        return;
    }
    QStringList refused;
    if (names.isEmpty())
        m_raise();
    else
        refused = m_take(names);
    QByteArray reply;
    QDataStream out(&reply, QIODevice::WriteOnly);
    out << refused;
    launch->write(reply);
    launch->disconnectFromServer();
}

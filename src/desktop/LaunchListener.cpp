#include "desktop/LaunchListener.h"

#include "desktop/Refusals.h"
#include "system/FileNames.h"
#include "system/LocalPeer.h"

#include <QLocalSocket>
#include <algorithm>

namespace {
constexpr int kLateCheckMs = 100;
} // namespace

struct LaunchListener::Launch {
    QLocalSocket* socket = nullptr;
    launch_frames::MessageReader reader;
    QDeadlineTimer deadline;
    bool answered = false;
    std::function<void()> take;
};

LaunchListener::LaunchListener(Judge judge, QObject* parent, int messageMs)
    : QObject(parent), m_judge(std::move(judge)), m_messageMs(messageMs)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection())
            admit(socket);
        listenAgain();
    });
    m_watch.setInterval(kListenAgainMs);
    connect(&m_watch, &QTimer::timeout, this, &LaunchListener::listenAgain);
    m_late.setInterval(kLateCheckMs);
    connect(&m_late, &QTimer::timeout, this, &LaunchListener::closeLate);
}

LaunchListener::~LaunchListener()
{
    for (Launch& launch : m_launches)
        launch.socket->disconnect(this);
}

bool LaunchListener::listen(const QString& socket)
{
    m_socket = socket;
    m_watch.start();
    QLocalServer::removeServer(socket);
    if (m_server.listen(socket)) {
        m_reported = false;
        return true;
    }
    if (!m_reported)
        writeToStandardError({QStringLiteral("sorvan: later launches cannot reach this window now (%1: %2)")
                                  .arg(socket, m_server.errorString())});
    m_reported = true;
    return false;
}

void LaunchListener::listenAgain()
{
    if (!m_socket.isEmpty() && !m_server.isListening())
        listen(m_socket);
}

LaunchListener::Launch* LaunchListener::find(const QLocalSocket* socket)
{
    for (Launch& launch : m_launches) {
        if (launch.socket == socket)
            return &launch;
    }
    return nullptr;
}

void LaunchListener::admit(QLocalSocket* socket)
{
    socket->setParent(this);
    if (!sys::peerIsThisUser(socket->socketDescriptor())) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (int(m_launches.size()) >= kMaxLaunches) {
        // The oldest that has not been answered goes; one that has is about
        // to acknowledge. When all have been, the new one tries again.
        const auto waiting = std::find_if(m_launches.begin(), m_launches.end(),
                                          [](const Launch& held) { return !held.answered; });
        if (waiting == m_launches.end()) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        drop(waiting->socket);
    }
    Launch& launch = m_launches.emplace_back();
    launch.socket = socket;
    launch.deadline.setRemainingTime(m_messageMs);
    // Qt reads no more than this ahead: the rest of a flood waits in the
    // system's buffer until the reader has judged what came first.
    socket->setReadBufferSize(launch_frames::kReadChunk);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (Launch* held = find(socket))
            serve(*held);
    });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
    m_late.start();
    serve(launch);
}

void LaunchListener::serve(Launch& launch)
{
    using launch_frames::Status;
    QLocalSocket* socket = launch.socket;
    while (socket->bytesAvailable() > 0) {
        if (launch.answered) {
            char byte = 0;
            socket->getChar(&byte);
            if (byte == launch_frames::kAcknowledge && launch.take)
                launch.take();  // queues the request: it runs in a later pass
            return drop(socket);
        }
        const Status status = launch.reader.feed(socket->read(launch_frames::kReadChunk));
        if (status == Status::Bad)
            return drop(socket);
        if (status == Status::More)
            continue;
        QStringList names;
        for (const QByteArray& bytes : launch.reader.names())
            names << sys::nameFromBytes(bytes);
        Verdict verdict = m_judge(names);
        launch.answered = true;
        launch.take = std::move(verdict.take);
        launch.deadline.setRemainingTime(m_messageMs);
        socket->write(launch_frames::answerOf(verdict.answer));
        socket->flush();
        if (verdict.answer.full)
            return drop(socket);
    }
}

void LaunchListener::closeLate()
{
    QList<QLocalSocket*> late;
    for (const Launch& launch : m_launches) {
        if (launch.deadline.hasExpired())
            late << launch.socket;
    }
    for (QLocalSocket* socket : late) {
        // An acknowledgement that is in already, even in the system's
        // buffer, still counts.
        if (Launch* launch = find(socket); launch && launch->answered)
            socket->waitForReadyRead(0);
        if (Launch* launch = find(socket))
            serve(*launch);
        drop(socket);
    }
    if (m_launches.empty())
        m_late.stop();
}

void LaunchListener::drop(QLocalSocket* socket)
{
    for (auto it = m_launches.begin(); it != m_launches.end(); ++it) {
        if (it->socket != socket)
            continue;
        socket->disconnect(this);
        // An answer already written goes out before the socket closes.
        if (it->answered)
            socket->disconnectFromServer();
        else
            socket->abort();
        socket->deleteLater();
        m_launches.erase(it);
        return;
    }
}

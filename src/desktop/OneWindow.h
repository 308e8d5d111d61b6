#pragma once
// One window per user session. The first launch holds a lock and listens on
// a local socket in the user's runtime folder, readable by the user alone; a
// later launch hands its files to that window and ends. A socket or lock
// left by a program that was killed does not stop the next start: the lock
// of a process that is gone is taken over, and the socket made anew.
//
// On the socket a launch sends its names (absolute paths; none asks the
// window to come to the front) and reads back the lines naming what the
// window did not take.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace one_window {
// The socket of this user's window: a path in the user's runtime folder (a
// pipe name of the user on Windows).
QString socketName();

// What a launch turned out to be.
struct Start {
    bool first = false;
    // The first launch: holds the lock while the window lives.
    std::unique_ptr<QLockFile> lock;
    // A later launch: what the running window did not take.
    QStringList refused;
};

// Hands names to the window of socket, or, when none runs, makes this launch
// the first. A launch that loses the race to be first tries the winner until
// it answers (at most timeoutMs).
Start handOverOrBeFirst(const QString& socket, const QStringList& names, int timeoutMs = 10000);

// Hands names to the window listening on socket. Nothing when none answers.
std::optional<QStringList> sendToRunningWindow(const QString& socket, const QStringList& names, int timeoutMs);
} // namespace one_window

// The first window's end of the socket.
class LaunchListener : public QObject {
    Q_OBJECT
public:
    // take gets the names of each later launch and returns what it did not
    // take; raise is called for a launch without names.
    LaunchListener(std::function<QStringList(const QStringList&)> take, std::function<void()> raise,
                   QObject* parent = nullptr);

    // Listens on socket, made anew (the caller holds the lock).
    bool listen(const QString& socket);

private:
    void serve(class QLocalSocket* launch);

    QLocalServer m_server;
    std::function<QStringList(const QStringList&)> m_take;
    std::function<void()> m_raise;
};

#pragma once
// The first window's end of the local socket (OneWindow.h has the launch's).
//
// Each later launch is answered as soon as its whole message is in: the
// window judges the names at once (judge: what it refuses, whether it has
// room, and the request that takes the rest) and sends the answer. Only the
// launch's acknowledgement puts the request in the window's queue; nothing
// runs inside this socket's callbacks. A launch that closes without
// acknowledging (it gave up waiting) leaves nothing behind.
//
// Bounds: a launch of another user is closed at once; a launch has 2 s to
// send its message and 2 s more to acknowledge; at most 16 launches are held
// at once, and for a new one the oldest that has not been answered goes (the
// new one goes when all have been: its launch tries again); a message that breaks the
// rules (LaunchFrames.h) closes its launch at its first wrong byte. When the
// server stops listening (Qt closes it without a word when descriptors run
// out), it listens again.

#include "desktop/LaunchFrames.h"

#include <QLocalServer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QDeadlineTimer>
#include <functional>
#include <list>

class QLocalSocket;

class LaunchListener : public QObject {
    Q_OBJECT
public:
    static constexpr int kMessageMs = 2000;
    static constexpr int kMaxLaunches = 16;
    static constexpr int kListenAgainMs = 1000;

    struct Verdict {
        launch_frames::Answer answer;
        // Runs once the launch acknowledged (not when answer.full): puts the
        // request in the queue.
        std::function<void()> take;
    };
    using Judge = std::function<Verdict(const QStringList& names)>;

    // messageMs: the time a launch has for its message, and again for its
    // acknowledgement.
    explicit LaunchListener(Judge judge, QObject* parent = nullptr, int messageMs = kMessageMs);
    ~LaunchListener() override;

    // Listens on socket, made anew (the caller holds the lock). On a failure
    // it says so on standard error and tries again later.
    bool listen(const QString& socket);
    bool isListening() const { return m_server.isListening(); }
    // The launches held now.
    int launches() const { return int(m_launches.size()); }

private:
    struct Launch;
    Launch* find(const QLocalSocket* socket);
    void admit(QLocalSocket* socket);
    void serve(Launch& launch);
    void drop(QLocalSocket* socket);
    void closeLate();
    void listenAgain();

    Judge m_judge;
    int m_messageMs;
    QLocalServer m_server;
    QString m_socket;
    QTimer m_watch;  // listening still?
    QTimer m_late;   // launches past their time
    bool m_reported = false;
    std::list<Launch> m_launches;  // oldest first
};

#pragma once
// The one queue of requests from outside the window: files handed over and
// the desktop's player controls. A door never runs a request inside its own
// callback: it puts it here, and the queue runs it in a later pass of the
// event loop, after every request before it, once no handler waits in a
// dialog or a message box (Qt still serves the bus and the local socket
// then; a page's own dialog in the help window is no handler's and holds
// nothing back). Once the program ends none runs.
//
// The queue is bounded: at most kMaxRequests requests and kMaxFiles files
// wait at once. A door asks for room first and tells its caller when there
// is none; nothing is dropped silently. A long queue runs in slices, so the
// window keeps answering while it empties.

#include <QObject>
#include <deque>
#include <functional>

class frmMain;

class OutsideRequests : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxRequests = 1000;
    static constexpr qsizetype kMaxFiles = 10000;

    explicit OutsideRequests(frmMain& form, QObject* parent = nullptr);
    ~OutsideRequests() override;

    // Whether one more request with files files fits.
    bool hasRoomFor(qsizetype files = 0) const;
    // Queues a request if it fits; false, and nothing queued, if not.
    bool run(std::function<void()> request, qsizetype files = 0);
    // Queues a request whose room was asked for earlier, or that holds a
    // place of its own (a setting that replaces its own earlier value).
    void push(std::function<void()> request, qsizetype files = 0);
    // Requests waiting.
    qsizetype waiting() const { return qsizetype(m_waiting.size()); }

private:
    void runLater();
    void runWaiting();

    struct Waiting {
        std::function<void()> request;
        qsizetype files = 0;
    };
    frmMain& m_form;
    std::deque<Waiting> m_waiting;
    qsizetype m_files = 0;
    bool m_posted = false;
    bool m_running = false;
};

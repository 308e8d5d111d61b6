#pragma once
// Requests from outside the window: files handed over and the desktop's
// player controls. A request runs at once, unless a handler waits in a
// dialog or a message box (Qt still serves the bus and the local socket
// then): it is held back and run once no handler waits, after every request
// that came before it. None is lost; once the program ends none runs.

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

class frmMain;

class OutsideRequests : public QObject {
    Q_OBJECT
public:
    explicit OutsideRequests(frmMain& form, QObject* parent = nullptr);
    ~OutsideRequests() override;

    void run(std::function<void()> request);
    // Requests held back, waiting for the handler.
    qsizetype waiting() const { return qsizetype(m_waiting.size()); }

private:
    void runWaiting();

    frmMain& m_form;
    std::deque<std::function<void()>> m_waiting;
    // Looks again while a modal window that is not a handler's is up.
    QTimer m_lookAgain;
    bool m_running = false;
};

#pragma once
// Asks the desktop not to blank the screen (org.freedesktop.ScreenSaver on
// the session bus) while told to, and lets go again. Asking never waits;
// letting go waits for the desktop's answer (half a second at most). Without a
// session bus or that service nothing happens and nothing is reported.

#include <QObject>
#include <QPointer>

class QDBusPendingCallWatcher;

class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
public:
    explicit ScreenSaverInhibitor(QObject* parent = nullptr);
    ~ScreenSaverInhibitor() override;

    void setActive(bool active);
    bool isActive() const { return m_wanted; }

private:
    void inhibit();
    void release();

    bool m_wanted = false;
    // An Inhibit call sent whose cookie has not come back yet.
    bool m_pending = false;
    QPointer<QDBusPendingCallWatcher> m_watcher;
    quint32 m_cookie = 0;
    bool m_haveCookie = false;
};

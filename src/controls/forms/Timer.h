#pragma once
// Timer1: ticks every Interval milliseconds while Enabled; an interval of 0
// stops it as well.

#include <QObject>
#include <QTimer>

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr) : QObject(parent)
    {
        connect(&m_timer, &QTimer::timeout, this, &Timer::Tick);
    }

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; apply(); }
    int Interval() const { return m_interval; }
    void setInterval(int ms) { m_interval = ms; apply(); }
    bool isTicking() const { return m_timer.isActive(); }

signals:
    void Tick();

private:
    void apply()
    {
        if (m_enabled && m_interval > 0)
            m_timer.start(m_interval);
        else
            m_timer.stop();
    }

    QTimer m_timer;
    bool m_enabled = true;
    int m_interval = 0;
};

#pragma once
// The media player's "統計" window: the engine's running counts for what
// plays, asked for once a second while the window is open.

#include "engine/MediaEngine.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;

class MediaStatisticsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 1000;

    explicit MediaStatisticsWindow(MediaEngine* engine, QWidget* parent = nullptr);

    // Asks the engine for its counts now (the timer does so every second).
    void refresh();
    void showStatistics(const MediaStatistics& statistics);
    QString field(const QString& caption) const;
    const QTimer& timer() const { return m_timer; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QPointer<MediaEngine> m_engine;
    QTimer m_timer;
    QList<QLabel*> m_values;
};

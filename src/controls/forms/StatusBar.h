#pragma once
// SB1: a status bar of panels addressed by number from 1. Panels with a
// width keep it; a panel of width 0 takes the rest of the bar.

#include <QFrame>
#include <QList>
#include <QString>

class QLabel;

class StatusBar : public QFrame {
    Q_OBJECT
public:
    // widths in pixels; 0 marks the panel that takes the rest.
    explicit StatusBar(const QList<int>& widths, QWidget* parent = nullptr);

    int panelCount() const { return static_cast<int>(m_panels.size()); }
    QString panelText(int number) const;
    void setPanelText(int number, const QString& text);

private:
    QList<QLabel*> m_panels;
};

#include "controls/forms/StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

StatusBar::StatusBar(const QList<int>& widths, QWidget* parent) : QFrame(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    // The bar is one line high: a slightly smaller face keeps the text whole.
    QFont small = font();
    small.setPointSizeF(8.5);
    setFont(small);
    for (int width : widths) {
        auto* panel = new QLabel(this);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setIndent(3);
        panel->setContentsMargins(0, 0, 0, 0);
        if (width > 0)
            panel->setFixedWidth(width);
        else
            panel->setMinimumWidth(0);
        panel->setSizePolicy(width > 0 ? QSizePolicy::Fixed : QSizePolicy::Ignored, QSizePolicy::Preferred);
        layout->addWidget(panel, width > 0 ? 0 : 1);
        m_panels << panel;
    }
}

QString StatusBar::panelText(int number) const
{
    return (number >= 1 && number <= panelCount()) ? m_panels[number - 1]->text() : QString();
}

void StatusBar::setPanelText(int number, const QString& text)
{
    if (number >= 1 && number <= panelCount()) {
        m_panels[number - 1]->setText(text);
        m_panels[number - 1]->setToolTip(text);
    }
}

#include "app/ClientPlacement.h"

#include <QEvent>
#include <QRect>
#include <QWidget>

namespace {
// Watches the window's moves until its frame is known, then puts the area
// back where it belongs if the window manager placed the frame there
// instead, and goes away.
class PlacementCheck final : public QObject {
public:
    PlacementCheck(QWidget* window, QPoint clientTopLeft)
        : QObject(window), m_window(window), m_target(clientTopLeft)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window || (event->type() != QEvent::Move && event->type() != QEvent::Show))
            return false;
        // Without a frame (no window manager yet, or none at all) there is
        // nothing to correct for.
        if (m_window->frameGeometry() == m_window->geometry())
            return false;
        if (m_window->geometry().topLeft() != m_target)
            m_window->setGeometry(QRect(m_target, m_window->size()));
        m_window->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    QWidget* m_window = nullptr;
    QPoint m_target;
};
} // namespace

void showWithClientAt(QWidget* window, QPoint clientTopLeft)
{
    // setGeometry(), unlike move(), places the window's own area: the window
    // manager is told to keep its frame outside it, so the window appears in
    // its place from the first frame.
    window->setGeometry(QRect(clientTopLeft, window->size()));
    new PlacementCheck(window, clientTopLeft);
    window->show();
}

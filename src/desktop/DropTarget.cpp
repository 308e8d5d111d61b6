#include "desktop/DropTarget.h"

#include "app/frmMain.h"
#include "controls/forms/ListBox.h"
#include "desktop/HandOver.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

DropTarget::DropTarget(frmMain& form, HandOver& handOver, QObject* parent)
    : QObject(parent), m_form(form), m_handOver(handOver)
{
    for (QWidget* area : areas()) {
        area->setAcceptDrops(true);
        area->installEventFilter(this);
    }
}

QList<QWidget*> DropTarget::areas() const
{
    return {m_form.List2->viewport(), m_form.Picture1};
}

QStringList DropTarget::wantedOf(const QMimeData* data) const
{
    if (!data || !data->hasUrls() || !m_handOver.open())
        return {};
    QStringList names;
    for (const QUrl& url : data->urls())
        names << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    const HandOver::Sorted sorted = HandOver::sort(names);
    if (sorted.isEmpty() || (!sorted.listFile.isEmpty() && !m_form.MayOpenList()))
        return {};
    return names;
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
        m_drag = wantedOf(static_cast<QDragEnterEvent*>(event)->mimeData());
        [[fallthrough]];
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!m_drag || m_drag->isEmpty() || !m_handOver.open())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::DragLeave:
        m_drag.reset();
        return QObject::eventFilter(watched, event);
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList wanted = (m_drag && m_handOver.open()) ? *m_drag : QStringList();
        m_drag.reset();
        if (wanted.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        m_handOver.take(wanted);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

#include "desktop/DropTarget.h"

#include "app/frmMain.h"
#include "controls/forms/ListBox.h"
#include "playback/PathRules.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {
bool isListFileName(const QString& name)
{
    return name.endsWith(QLatin1String(".lst"), Qt::CaseInsensitive);
}
} // namespace

DropTarget::DropTarget(frmMain& form, QObject* parent) : QObject(parent), m_form(form)
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

bool DropTarget::open() const
{
    return m_form.mnuFile->isEnabled() && !m_form.mnuCDEnd->isEnabled();
}

DropTarget::Wanted DropTarget::wantedOf(const QMimeData* data) const
{
    Wanted wanted;
    if (!data || !data->hasUrls() || !open())
        return wanted;
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo file(url.toLocalFile());
        if (file.isFile() && IsMediaFileName(file.fileName()))
            wanted.mediaFiles << QDir::toNativeSeparators(file.absoluteFilePath());
    }
    if (urls.size() == 1 && urls.front().isLocalFile() && m_form.mnuList->isEnabled()) {
        const QFileInfo file(urls.front().toLocalFile());
        if (file.isFile() && isListFileName(file.fileName()))
            wanted.listFile = QDir::toNativeSeparators(file.absoluteFilePath());
    }
    return wanted;
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
        m_drag = wantedOf(static_cast<QDragEnterEvent*>(event)->mimeData());
        [[fallthrough]];
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!m_drag || m_drag->isEmpty() || !open())
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
        const Wanted wanted = (m_drag && open()) ? *m_drag : Wanted();
        m_drag.reset();
        if (wanted.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        take(wanted);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void DropTarget::take(const Wanted& wanted)
{
    if (!wanted.listFile.isEmpty()) {
        m_form.quietPlayerForListOpen();
        m_form.readOpenedListFile(wanted.listFile);
        return;
    }
    // A name that cannot be listed refuses the whole drop, as the dialog would.
    for (const QString& path : wanted.mediaFiles) {
        if (!m_form.admitMediaFileName(path))
            return;
    }
    // The first file as the open dialog's choice; the others join the list
    // behind it, in the dropped order.
    m_form.playOpenedMediaFile(wanted.mediaFiles.front());
    for (const QString& path : wanted.mediaFiles.mid(1)) {
        m_form.List1->AddItem(path);
        m_form.List2->AddItem(NameOfPath(path));
    }
}

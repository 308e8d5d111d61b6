#pragma once
// Files dragged from a file manager onto the play list or the display area,
// handed over as every file from outside is (HandOver): media files of the
// types the open dialog offers are played and listed as if chosen in that
// dialog, one after another; a single list file is opened as if chosen in
// the list dialog. Other files, folders and remote addresses are passed
// over. In CD mode drops are refused. A drag is judged once, when it enters,
// and that answer holds until it leaves or drops: the files are not looked
// at again on every move of the mouse. A dropped file:// address names the
// file by its bytes (sys::nameOfFileUrl), so names that are not UTF-8 are
// found; the files are taken in a later pass, and a drop that finds the
// queue full is refused.

#include <QObject>
#include <QStringList>
#include <optional>

class HandOver;
class QMimeData;
class QWidget;
class frmMain;

class DropTarget : public QObject {
    Q_OBJECT
public:
    // Takes drops on the play list and the display area of form.
    DropTarget(frmMain& form, HandOver& handOver, QObject* parent = nullptr);

    // The widgets that take drops.
    QList<QWidget*> areas() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The dropped names worth handing over; empty when nothing is.
    QStringList wantedOf(const QMimeData* data) const;

    frmMain& m_form;
    HandOver& m_handOver;
    // What the drag now over an area brings, judged when it entered.
    std::optional<QStringList> m_drag;
};

#pragma once
// Files dragged from a file manager onto the play list or the display area.
// Media files of the types the open dialog offers are played and listed as
// if chosen in that dialog, one after another; a single list file is opened
// as if chosen in the list dialog. Other files and folders are passed over.
// In CD mode, and while "ファイル" is disabled, drops are refused. A drag is
// judged once, when it enters, and that answer holds until it leaves or drops:
// the files are not looked at again on every move of the mouse.

#include <QObject>
#include <QStringList>
#include <optional>

class QMimeData;
class QWidget;
class frmMain;

class DropTarget : public QObject {
    Q_OBJECT
public:
    // Takes drops on the play list and the display area of form.
    explicit DropTarget(frmMain& form, QObject* parent = nullptr);

    // The widgets that take drops.
    QList<QWidget*> areas() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Wanted {
        QStringList mediaFiles;
        QString listFile;
        bool isEmpty() const { return mediaFiles.isEmpty() && listFile.isEmpty(); }
    };
    bool open() const;
    Wanted wantedOf(const QMimeData* data) const;
    void take(const Wanted& wanted);

    frmMain& m_form;
    // What the drag now over an area brings, judged when it entered.
    std::optional<Wanted> m_drag;
};

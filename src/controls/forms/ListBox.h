#pragma once
// A list box with the operations the handlers use: entries are kept in the
// order they were added (never sorted), positions count from 0, a position
// past the end reads as the empty text, and ListIndex is -1 when nothing is
// selected. Click() is raised when the user picks an entry with the mouse or
// moves the selection with the keys, never for changes made by the program.

#include <QListWidget>
#include <QString>
#include <QStringList>

class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    void AddItem(const QString& text);
    // Appends many entries in one step (fast for long lists).
    void AddItems(const QStringList& texts);
    void RemoveItem(int index);
    void Clear();
    QString List(int index) const;
    int ListCount() const { return count(); }
    int ListIndex() const;
    void setListIndex(int index);
    QString Text() const { return List(ListIndex()); }
    QStringList entries() const;

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The entries' texts in order, kept beside the items so that a long
    // list is read back (to be saved) without visiting every item.
    QStringList m_texts;
};

#pragma once
// A list box with the operations the handlers use: entries are kept in the
// order they were added (never sorted), positions count from 0, a position
// past the end reads as the empty text, and ListIndex is -1 when nothing is
// selected. Click() is raised when the user picks an entry with the mouse or
// moves the selection with the keys, never for changes made by the program.
//
// The box is a view over plain texts (ListEntries): an entry costs its text
// and little else, so a list of a million paths stays light.

#include "controls/forms/ListEntries.h"

#include <QListView>
#include <QString>
#include <QStringList>

class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    void AddItem(const QString& text);
    // Appends many entries in one step (fast for long lists).
    void AddItems(const QStringList& texts);
    // Appends an entry for each of sources, shown (and read back by List)
    // as textOf(source). The sources are shared, not copied: a list of paths
    // shown as names costs the paths alone.
    void AddItems(const QStringList& sources, ListEntries::TextOf textOf);
    // The same, with a title and a length for some of the new entries (rows
    // counted from the first new one). An entry with a title shows it in
    // place of textOf(source); List reads back what is shown.
    void AddItems(const QStringList& sources, ListEntries::TextOf textOf, const RowDetails& details);
    // Appends plain entries that keep details beside their texts.
    void AddItems(const QStringList& texts, const RowDetails& details);
    void RemoveItem(int index);
    void Clear();
    QString List(int index) const { return m_entries->text(index); }
    int ListCount() const { return m_entries->count(); }
    int ListIndex() const;
    void setListIndex(int index);
    QString Text() const { return List(ListIndex()); }
    QStringList entries() const { return m_entries->texts(); }
    // The titles and lengths kept beside the entries, by position.
    const RowDetails& details() const { return m_entries->details(); }

signals:
    void Click();
    // The row of the current entry changed (-1: none), by the user or the program.
    void currentRowChanged(int row);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ListEntries* m_entries;
};

#include "controls/forms/ListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

ListBox::ListBox(QWidget* parent) : QListView(parent), m_entries(new ListEntries(this))
{
    setModel(m_entries);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);  // long lists lay out in constant time per entry
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });
}

void ListBox::AddItem(const QString& text)
{
    m_entries->append(text);
}

void ListBox::AddItems(const QStringList& texts)
{
    m_entries->append(texts);
}

void ListBox::AddItems(const QStringList& sources, ListEntries::TextOf textOf)
{
    m_entries->append(sources, textOf);
}

void ListBox::AddItems(const QStringList& sources, ListEntries::TextOf textOf, const RowDetails& details)
{
    m_entries->append(sources, textOf, details);
}

void ListBox::AddItems(const QStringList& texts, const RowDetails& details)
{
    m_entries->append(texts, nullptr, details);
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    m_entries->remove(index);
    setListIndex(-1);
}

void ListBox::Clear()
{
    m_entries->clear();
}

int ListBox::ListIndex() const
{
    const QModelIndex current = currentIndex();
    return (current.isValid() && selectionModel()->isSelected(current)) ? current.row() : -1;
}

void ListBox::setListIndex(int index)
{
    if (index < 0 || index >= ListCount()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(m_entries->index(index), QItemSelectionModel::ClearAndSelect);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid() && ListIndex() >= 0)
        emit Click();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = ListIndex();
    QListView::keyPressEvent(event);
    const int after = ListIndex();
    if (after >= 0 && after != before)
        emit Click();
}

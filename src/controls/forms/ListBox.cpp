#include "controls/forms/ListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);  // long lists lay out in constant time
    setSortingEnabled(false);
}

void ListBox::AddItem(const QString& text)
{
    addItem(text);
    m_texts.append(text);
}

void ListBox::AddItems(const QStringList& texts)
{
    addItems(texts);
    m_texts.append(texts);
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= count())
        return;
    delete takeItem(index);
    m_texts.removeAt(index);
    setCurrentRow(-1);
    clearSelection();
}

void ListBox::Clear()
{
    clear();
    m_texts.clear();
}

QString ListBox::List(int index) const
{
    const QListWidgetItem* entry = (index >= 0 && index < count()) ? item(index) : nullptr;
    return entry ? entry->text() : QString();
}

int ListBox::ListIndex() const
{
    const QListWidgetItem* current = currentItem();
    return (current && current->isSelected()) ? row(current) : -1;
}

void ListBox::setListIndex(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

QStringList ListBox::entries() const
{
    if (m_texts.size() == count())
        return m_texts;
    // Changed through the list widget's own interface: read the items.
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result << item(i)->text();
    return result;
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()) && ListIndex() >= 0)
        emit Click();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = ListIndex();
    QListWidget::keyPressEvent(event);
    const int after = ListIndex();
    if (after >= 0 && after != before)
        emit Click();
}

#pragma once
// The entries of a list box as plain data: one text a row, in the order they
// were added, no per-row objects. A row may also hold a source text that is
// shown through a function (a path shown as its file name): its text is made
// only when it is read, and the source is shared with whoever else holds it.
// Rows may hold a title and a length beside their text (RowDetail): a row
// shown through a function that has a title shows the title instead.

#include "controls/forms/RowDetail.h"

#include <QAbstractListModel>
#include <QStringList>
#include <vector>

class ListEntries : public QAbstractListModel {
    Q_OBJECT
public:
    // How a source text is shown; must be a plain function of its argument.
    using TextOf = QString (*)(const QString& source);

    explicit ListEntries(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int count() const { return int(m_sources.size()); }
    // The text of row, or the empty text past either end.
    QString text(int row) const;
    // Every row's text, in order (shared, not copied, when no row is shown
    // through a function).
    QStringList texts() const;

    void append(const QString& text);
    void append(const QStringList& texts);
    // Appends rows that show textOf(source) for each of sources. One
    // function serves all such rows of a list; a different one replaces it.
    void append(const QStringList& sources, TextOf textOf);
    // The same with details for some of the new rows (their rows counted
    // from the first new one).
    void append(const QStringList& sources, TextOf textOf, const RowDetails& details);
    void remove(int row);
    void clear();

    // The details of the rows that have one, by row.
    const RowDetails& details() const { return m_details; }

private:
    void appendRows(const QStringList& sources, bool shownThrough, const RowDetails& details = {});
    const RowDetail* detailOf(int row) const;

    QStringList m_sources;
    // Which rows show their source through m_textOf; empty while none does.
    std::vector<bool> m_shownThrough;
    TextOf m_textOf = nullptr;
    RowDetails m_details;
};

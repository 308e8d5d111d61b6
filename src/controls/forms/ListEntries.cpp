#include "controls/forms/ListEntries.h"

#include <algorithm>

int ListEntries::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ListEntries::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return text(index.row());
    return {};
}

QString ListEntries::text(int row) const
{
    if (row < 0 || row >= count())
        return {};
    const QString& source = m_sources.at(row);
    const bool through = !m_shownThrough.empty() && m_shownThrough[size_t(row)];
    if (!through)
        return source;
    const RowDetail* detail = detailOf(row);
    return detail && !detail->title.isEmpty() ? detail->title : m_textOf(source);
}

const RowDetail* ListEntries::detailOf(int row) const
{
    if (m_details.isEmpty())
        return nullptr;
    const auto found = std::lower_bound(m_details.cbegin(), m_details.cend(), row,
                                        [](const RowDetail& detail, int r) { return detail.row < r; });
    return found != m_details.cend() && found->row == row ? &*found : nullptr;
}

QStringList ListEntries::texts() const
{
    if (m_shownThrough.empty())
        return m_sources;
    QStringList result;
    result.reserve(m_sources.size());
    for (int row = 0; row < count(); ++row)
        result << text(row);
    return result;
}

void ListEntries::append(const QString& text)
{
    appendRows(QStringList{text}, false);
}

void ListEntries::append(const QStringList& texts)
{
    appendRows(texts, false);
}

void ListEntries::append(const QStringList& sources, TextOf textOf)
{
    append(sources, textOf, {});
}

void ListEntries::append(const QStringList& sources, TextOf textOf, const RowDetails& details)
{
    if (!textOf) {
        appendRows(sources, false, details);
        return;
    }
    if (m_textOf && m_textOf != textOf) {
        // Keep the earlier rows as they are shown now.
        const QStringList shown = texts();
        m_sources = shown;
        m_shownThrough.clear();
    }
    m_textOf = textOf;
    appendRows(sources, true, details);
}

void ListEntries::appendRows(const QStringList& sources, bool shownThrough, const RowDetails& details)
{
    if (sources.isEmpty())
        return;
    const int first = count();
    beginInsertRows(QModelIndex(), first, first + int(sources.size()) - 1);
    if (m_sources.isEmpty())
        m_sources = sources;  // shares the caller's list until either changes
    else
        m_sources.append(sources);
    if (shownThrough || !m_shownThrough.empty()) {
        m_shownThrough.resize(size_t(first), false);
        m_shownThrough.resize(m_sources.size(), shownThrough);
    }
    if (m_details.isEmpty() && first == 0) {
        m_details = details;  // shared with the caller, as the sources are
    } else {
        for (RowDetail detail : details) {
            detail.row += first;
            m_details.append(std::move(detail));
        }
    }
    endInsertRows();
}

void ListEntries::remove(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_sources.removeAt(row);
    if (!m_shownThrough.empty())
        m_shownThrough.erase(m_shownThrough.begin() + row);
    if (!m_details.isEmpty()) {
        const auto at = std::lower_bound(m_details.begin(), m_details.end(), row,
                                         [](const RowDetail& detail, int r) { return detail.row < r; });
        auto later = m_details.erase(at, at != m_details.end() && at->row == row ? at + 1 : at);
        for (; later != m_details.end(); ++later)
            --later->row;
    }
    endRemoveRows();
}

void ListEntries::clear()
{
    beginResetModel();
    m_sources = QStringList();  // clear() would keep the memory of a long list
    m_shownThrough = std::vector<bool>();
    m_textOf = nullptr;
    m_details = RowDetails();
    endResetModel();
}

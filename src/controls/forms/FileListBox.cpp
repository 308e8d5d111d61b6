#include "controls/forms/FileListBox.h"

#include <QDir>

QStringList listMatchingFiles(const QString& folder, const QString& pattern)
{
    if (folder.isEmpty())
        return {};
    QDir dir(folder);
    dir.setNameFilters(pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    // QDir matches name filters without regard to case unless asked to;
    // leaving out QDir::Hidden and QDir::System leaves those files out.
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

void FileListBox::refresh()
{
    Clear();
    AddItems(listMatchingFiles(m_path, m_pattern));
}

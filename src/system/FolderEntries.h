#pragma once
// The entries of a folder by the names the file system holds (bytes that are
// not UTF-8 kept, see FileNames.h), for searches that must find a name
// whatever its encoding. One branch per system.

#include <QList>
#include <QString>

namespace sys {
struct FolderEntry {
    QString name;
    bool folder = false;  // a folder, or a link to one
    bool link = false;    // a symbolic link
};

// At most max entries of folder, without "." and ".."; none when it cannot
// be read. The order is the file system's.
QList<FolderEntry> folderEntries(const QString& folder, qsizetype max);
} // namespace sys

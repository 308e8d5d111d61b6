#pragma once
// Finds the file of a Windows path (C:\Users\太郎\Music\曲.mp3) again under a
// list's own folder, where a list and its music moved together from another
// machine:
//  1. the longest tail of the path's folders that exists under the list's
//     folder (Music\曲.mp3, then 曲.mp3 in a folder Music…);
//  2. then the file's name alone, anywhere in the list's folder tree,
//     nearest first.
// Names compare without regard to letter case, as on Windows, and a name on
// the disk that is not UTF-8 also compares in Shift-JIS (CP932), as files
// unpacked from a Windows archive are named. The search is bounded by the
// folder entries it visits for the whole list (not by time, so that the
// result does not depend on the machine), and each folder is read once.

#include "system/FolderEntries.h"

#include <QHash>
#include <QStringList>
#include <optional>

class WindowsPathSearch {
public:
    // Entries visited for one whole list.
    static constexpr int kDefaultBudget = 20'000;

    explicit WindowsPathSearch(QString listFolder, int budget = kDefaultBudget);

    // The path of the file that parts (folders, then the file's name) name
    // under the list's folder, or nothing.
    std::optional<QString> find(const QStringList& parts);
    // How many folder entries the search has visited.
    int entriesVisited() const { return m_budget - m_left; }

private:
    const QList<sys::FolderEntry>& entriesOf(const QString& folder);
    std::optional<QString> findTail(const QStringList& parts, qsizetype first);
    std::optional<QString> findByName(const QString& name);

    QString m_folder;
    int m_budget;
    int m_left;
    QHash<QString, QList<sys::FolderEntry>> m_folders;
    // The tree walk for names alone: the folders still to read, breadth
    // first, and the files seen so far by their folded names.
    QStringList m_toWalk;
    qsizetype m_walked = 0;
    QHash<QString, QString> m_byName;
};

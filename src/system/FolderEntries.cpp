#include "system/FolderEntries.h"

#include "system/FileNames.h"

#ifdef Q_OS_WIN
#include <QDir>
#include <QFileInfo>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace sys {
#ifdef Q_OS_WIN
QList<FolderEntry> folderEntries(const QString& folder, qsizetype max)
{
    QList<FolderEntry> entries;
    const QFileInfoList infos =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : infos) {
        if (entries.size() >= max)
            break;
        entries.append({info.fileName(), info.isDir(), info.isSymLink()});
    }
    return entries;
}
#else
QList<FolderEntry> folderEntries(const QString& folder, qsizetype max)
{
    QList<FolderEntry> entries;
    DIR* dir = ::opendir(bytesOfName(folder).constData());
    if (!dir)
        return entries;
    while (entries.size() < max) {
        const dirent* entry = ::readdir(dir);
        if (!entry)
            break;
        const QByteArrayView name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        FolderEntry found{nameFromBytes(name), entry->d_type == DT_DIR, entry->d_type == DT_LNK};
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            found.folder = ::fstatat(::dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
            if (entry->d_type == DT_UNKNOWN) {
                struct stat own {};
                found.link = ::fstatat(::dirfd(dir), entry->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0
                             && S_ISLNK(own.st_mode);
            }
        }
        entries.append(std::move(found));
    }
    ::closedir(dir);
    return entries;
}
#endif
} // namespace sys

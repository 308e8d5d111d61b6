#include "system/RuntimeFolder.h"

#include "system/FileNames.h"
#include "system/SystemCalls.h"

#include <QDir>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sys {
#ifdef Q_OS_WIN
bool isPrivateFolder(const QString& path, bool make)
{
    return make ? QDir().mkpath(path) : QDir(path).exists();
}

RuntimeFolder runtimeFolder()
{
    return {QDir::tempPath(), true};
}

void removeFreshFolder(const RuntimeFolder&) {}
#else
bool isPrivateFolder(const QString& path, bool make)
{
    if (!path.startsWith(QLatin1Char('/')))
        return false;
    const QByteArray bytes = bytesOfName(path);
    if (make)
        ::mkdir(bytes.constData(), 0700);  // fails harmlessly when it exists
    struct stat status {};
    return ::lstat(bytes.constData(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid()
        && (status.st_mode & 07777) == 0700;
}

RuntimeFolder runtimeFolder()
{
    const QString given = nameFromBytes(qgetenv("XDG_RUNTIME_DIR"));
    if (!given.isEmpty() && isPrivateFolder(given, false))
        return {given, true};
    const QString predictable = QDir::tempPath() + QStringLiteral("/sorvan-runtime-") + userKey();
    if (isPrivateFolder(predictable, true))
        return {predictable, true};
    // Someone else's, a link, or open to others: never used, never changed.
    QByteArray pattern = bytesOfName(predictable) + "-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return {};
    return {nameFromBytes(pattern), false};
}

void removeFreshFolder(const RuntimeFolder& folder)
{
    if (!folder.shared && !folder.path.isEmpty())
        QDir(folder.path).removeRecursively();
}
#endif
} // namespace sys

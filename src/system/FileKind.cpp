#include "system/FileKind.h"

#include "system/FileNames.h"

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include <sys/stat.h>
#endif

namespace sys {
FileKind kindOfFile(QStringView name)
{
#ifdef Q_OS_WIN
    const QFileInfo file(name.toString());
    if (!file.exists())
        return FileKind::Missing;
    return file.isDir() ? FileKind::Folder : file.isFile() ? FileKind::Regular : FileKind::Other;
#else
    // A NUL would end the name early, and name another file.
    const QByteArray bytes = bytesOfName(name);
    struct stat status {};
    if (bytes.isEmpty() || bytes.contains('\0') || ::stat(bytes.constData(), &status) != 0)
        return FileKind::Missing;
    if (S_ISDIR(status.st_mode))
        return FileKind::Folder;
    return S_ISREG(status.st_mode) ? FileKind::Regular : FileKind::Other;
#endif
}
} // namespace sys

#include "system/SystemCalls.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QDir>
#include <QRegularExpression>
#else
#include "system/FileNames.h"

#include <cerrno>
#include <unistd.h>
#endif

namespace sys {
#ifdef Q_OS_WIN
bool runningAsSuperuser()
{
    return false;
}

QString userKey()
{
    QString name = qEnvironmentVariable("USERNAME", QStringLiteral("user"));
    return name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
}

QString currentFolder()
{
    return QDir::currentPath();
}

#else
bool runningAsSuperuser()
{
    return geteuid() == 0;
}

QString userKey()
{
    return QString::number(getuid());
}

QString currentFolder()
{
    QByteArray path(4096, Qt::Uninitialized);
    while (!::getcwd(path.data(), size_t(path.size()))) {
        if (errno != ERANGE)
            return {};
        path.resize(path.size() * 2);
    }
    return nameFromBytes(path.constData());
}

#endif
} // namespace sys

#include "system/SystemCalls.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QRegularExpression>
#else
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
#else
bool runningAsSuperuser()
{
    return geteuid() == 0;
}

QString userKey()
{
    return QString::number(getuid());
}
#endif
} // namespace sys

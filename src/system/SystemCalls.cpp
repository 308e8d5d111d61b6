#include "system/SystemCalls.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QDir>
#include <QRegularExpression>
#else
#include <QFile>
#include <sys/stat.h>
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

QString privateFolder(const QString& predictable)
{
    // A folder in the user's own temporary folder, which others cannot enter.
    return QDir().mkpath(predictable) ? predictable : QString();
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

QString privateFolder(const QString& predictable)
{
    const QByteArray path = QFile::encodeName(predictable);
    ::mkdir(path.constData(), 0700);  // fails harmlessly when it exists
    struct stat status {};
    if (::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == geteuid()
        && (status.st_mode & 07777) == 0700)
        return predictable;
    // Someone else's, a link, or open to others: never trusted, never changed.
    QByteArray pattern = path + "-XXXXXX";
    return ::mkdtemp(pattern.data()) ? QFile::decodeName(pattern) : QString();
}

#endif
} // namespace sys

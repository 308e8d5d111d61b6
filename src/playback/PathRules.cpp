#include "playback/PathRules.h"

#include <QDir>

QString NameOfPath(const QString& path, QChar separator)
{
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString NameOfPath(const QString& path)
{
    return NameOfPath(path, QDir::separator());
}

bool IsVideoFile(const QString& name)
{
    for (const char* ending : {"avi", "mpg", "mpeg", "mov"}) {
        if (name.endsWith(QLatin1String(ending), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

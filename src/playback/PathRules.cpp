#include "playback/PathRules.h"

#include "system/FileNames.h"
#include "text/TextDecoding.h"

#include <QDir>

QString NameOfPath(const QString& path, QChar separator)
{
    const QString name = path.mid(path.lastIndexOf(separator) + 1);
    // A name that keeps bytes that are not UTF-8 is shown as the program
    // decodes any byte string of unknown encoding.
    return sys::holdsRawBytes(name) ? text::decodeByteString(sys::bytesOfName(name)) : name;
}

QString NameOfPath(const QString& path)
{
    return NameOfPath(path, QDir::separator());
}

bool HoldsLineBreak(const QString& path)
{
    return path.contains(u'\r') || path.contains(u'\n');
}

bool IsVideoFile(const QString& name)
{
    for (const char* ending : {"avi", "mpg", "mpeg", "mov"}) {
        if (name.endsWith(QLatin1String(ending), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QStringList MediaFileSuffixes()
{
    return {QStringLiteral("mid"), QStringLiteral("wav"),  QStringLiteral("mp3"), QStringLiteral("avi"),
            QStringLiteral("mpeg"), QStringLiteral("mpg"), QStringLiteral("mov")};
}

bool IsMediaFileName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    return MediaFileSuffixes().contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

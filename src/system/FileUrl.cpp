#include "system/FileUrl.h"

#include "system/FileNames.h"

namespace sys {
QString nameOfFileUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    QString path = nameFromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#ifdef Q_OS_WIN
    if (path.size() >= 3 && path[0] == QLatin1Char('/') && path[2] == QLatin1Char(':'))
        path.remove(0, 1);  // file:///C:/x is C:/x
#endif
    const QString host = url.host();
    if (host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return path;
    return QStringLiteral("//") + host + path;
}
} // namespace sys

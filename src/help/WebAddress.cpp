#include "help/WebAddress.h"


namespace help {
namespace {
bool isDrivePath(const QString& text)
{
    return text.size() >= 3 && text.at(0).isLetter() && text.at(0).unicode() < 128 && text.at(1) == QLatin1Char(':')
           && (text.at(2) == QLatin1Char('\\') || text.at(2) == QLatin1Char('/'));
}

bool isSharePath(const QString& text)
{
    return text.startsWith(QLatin1String("\\\\"));
}
} // namespace

bool isLocalPath(const QString& text)
{
    return text.startsWith(QLatin1Char('/')) || isDrivePath(text) || isSharePath(text);
}

QUrl addressFor(const QString& text)
{
    if (!isLocalPath(text))
        return QUrl(text, QUrl::TolerantMode);
#ifdef Q_OS_WIN
    return QUrl::fromLocalFile(text);
#else
    if (text.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(text);
    // A Windows path read on another system: keep its letters, turn its
    // backslashes into the slashes of an address.
    QString path = text;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    if (isSharePath(text)) {
        const QString rest = path.mid(2);
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        url.setHost(rest.left(slash));
        url.setPath(slash < 0 ? QStringLiteral("/") : rest.mid(slash));
    } else {
        url.setPath(QLatin1Char('/') + path);
    }
    return url;
#endif
}
} // namespace help

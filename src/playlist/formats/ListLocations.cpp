#include "playlist/formats/ListLocations.h"

#include "playlist/formats/ListLines.h"

#include "system/FileNames.h"

#include <QDir>

#include <algorithm>

namespace {

const QString kFileScheme = QStringLiteral("file");

// The scheme of an address ("http" of "http://…"), or the empty text. One
// letter before the colon is a drive, not a scheme.
QString schemeOf(const QString& text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 2 || !text[0].isLetter() || text[0].unicode() > 0x7F)
        return {};
    for (qsizetype i = 1; i < colon; ++i) {
        const char16_t c = text[i].unicode();
        const bool allowed = (c < 0x80 && QChar(c).isLetterOrNumber()) || c == u'+' || c == u'-' || c == u'.';
        if (!allowed)
            return {};
    }
    return text.first(colon).toLower();
}

bool startsWithDrive(QStringView text)
{
    return text.size() >= 2 && text[0].unicode() < 0x80 && text[0].isLetter() && text[1] == u':';
}

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

// The parts of a Windows path: its folders and file name, without the
// drive, the server and the share; and the path as Windows writes it.
ListLocation windowsLocation(const QString& written)
{
    // Windows names are Unicode: bytes that are not UTF-8 are some code page's.
    QString decoded = sys::holdsRawBytes(written) ? ListText(sys::bytesOfName(written)) : written;
    decoded.remove(QChar(0xFEFF));  // byte-order marks of the pieces a path was made of
    QStringView text(decoded);
    ListLocation location;
    location.kind = ListLocation::Kind::Windows;
    QString start;  // "C:\", "\\server\share\", "\" or nothing
    int serverParts = 0;
    if (startsWithDrive(text)) {
        start = text.first(2).toString();
        text = text.sliced(2);
        location.rooted = true;
        if (!text.isEmpty() && isSeparator(text[0]))
            start += u'\\';
    } else if (text.size() >= 2 && isSeparator(text[0]) && isSeparator(text[1])) {
        start = QStringLiteral("\\\\");
        serverParts = 2;
        location.rooted = true;
    } else if (!text.isEmpty() && isSeparator(text[0])) {
        start = QStringLiteral("\\");
        location.rooted = true;
    }
    QStringList server;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text[i]))
            continue;
        QStringView part = text.sliced(from, i - from);
        from = i + 1;
        while (!part.isEmpty() && part.back().isSpace())
            part.chop(1);  // Windows drops blanks at the end of a name
        if (part.isEmpty() || part == u".")
            continue;
        if (server.size() < serverParts)
            server << part.toString();
        else
            location.parts << part.toString();
    }
    location.path = start + (server.isEmpty() ? QString() : server.join(u'\\') + u'\\') + location.parts.join(u'\\');
    // The same Windows path when written again: "a\." would be no Windows
    // path, and a relative one whose first part looks like a scheme or a
    // drive ("ab:c\x", "c:.\x"), starts with a blank or "#" (a note in a
    // list) would be read as another.
    if (!IsWindowsPathText(location.path))
        location.path += u'\\';
    const QString& path = location.path;
    if (start.isEmpty()
        && (!schemeOf(path).isEmpty() || startsWithDrive(path) || path[0].isSpace() || path[0] == u'#'))
        location.path.prepend(QLatin1String(".\\"));
    return location;
}

// A path without "." and ".." parts; ".." at the root stays there, as it
// does on the disk.
QString cleaned(const QString& path)
{
    QString clean = QDir::cleanPath(path);
    while (clean.startsWith(QLatin1String("/../")))
        clean.remove(0, 3);
    return clean == QLatin1String("/..") ? QStringLiteral("/") : clean;
}

QString decodedPercent(const QString& text)
{
    return sys::nameFromBytes(QByteArray::fromPercentEncoding(sys::bytesOfName(text)));
}

// A file:// address: "file:///path", "file://localhost/path", "file:/path",
// or "file://server/share/…" (a Windows share).
ListLocation fileUriLocation(const QString& uri)
{
    QString rest = uri.mid(kFileScheme.size() + 1);
    QString authority;
    if (rest.startsWith(QLatin1String("//"))) {
        const qsizetype slash = rest.indexOf(u'/', 2);
        authority = rest.mid(2, slash < 0 ? -1 : slash - 2);
        rest = slash < 0 ? QString() : rest.mid(slash);
    }
    QString path = decodedPercent(rest);
    if (!path.isEmpty() && !path.startsWith(u'/'))
        path.prepend(u'/');  // "file:a.mp3" names no folder: the root's
    if (!authority.isEmpty() && authority.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return windowsLocation(QString(QLatin1String("//") + decodedPercent(authority) + path));
    // "/C:/Music/a.mp3" (or "/C|/…") is a drive's path.
    if (path.size() >= 3 && path[0] == u'/' && path[1].unicode() < 0x80 && path[1].isLetter()
        && (path[2] == u':' || path[2] == u'|') && (path.size() == 3 || path[3] == u'/')) {
        QString drive = path.mid(1);
        drive[1] = u':';
        return windowsLocation(drive);
    }
    ListLocation location;
    location.path = path;  // absolute: kept as written, as every absolute path is
    return location;
}

ListLocation localPath(const QString& path, const QString& listFolder)
{
    ListLocation location;
    if (path.isEmpty())
        return location;
    if (IsAbsolutePath(path))
        location.path = path;
    else
        location.path = cleaned(listFolder + u'/' + path);
    return location;
}

// A location decoded from percent-encoding may name what no file is named
// ("%0A" is a line break): then it is no local file.
ListLocation named(ListLocation location, const QString& written)
{
    const QString& path = location.path;
    if (std::any_of(path.begin(), path.end(), [](QChar c) { return c == u'\r' || c == u'\n' || c == QChar(0); })) {
        location = ListLocation();
        location.kind = ListLocation::Kind::Address;
        location.path = written;
    }
    return location;
}

ListLocation addressOrFile(const QString& text, const QString& scheme)
{
    if (scheme == kFileScheme)
        return named(fileUriLocation(text), text);
    ListLocation location;
    location.kind = ListLocation::Kind::Address;
    location.path = text;
    return location;
}

bool namesPath(const ListLocation& location, const QString& path)
{
    return location.kind == ListLocation::Kind::Path && location.path == path;
}

QString withSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// Percent-encodes the bytes of a name, leaving the unreserved characters
// and those of keep.
QString percentEncoded(const QString& text, const QByteArray& keep)
{
    return QString::fromLatin1(sys::bytesOfName(text).toPercentEncoding(keep));
}

} // namespace

bool IsAbsolutePath(const QString& path)
{
#ifdef Q_OS_WIN
    return (startsWithDrive(path) && path.size() > 2 && isSeparator(path[2]))
           || (path.size() > 1 && isSeparator(path[0]) && isSeparator(path[1]));
#else
    // QDir::isAbsolutePath would also take Qt's resource paths (":/…"), and
    // costs a QFileInfo each time.
    return path.startsWith(u'/');
#endif
}

bool IsWindowsPathText(const QString& text)
{
    return (startsWithDrive(text) && text.size() > 2 && isSeparator(text[2])) || text.contains(u'\\');
}

ListLocation LocationOfText(const QString& text, const QString& listFolder)
{
    const QString scheme = schemeOf(text);
    if (!scheme.isEmpty())
        return addressOrFile(text, scheme);
    if (IsWindowsPathText(text))
        return windowsLocation(text);
    return localPath(text, listFolder);
}

ListLocation LocationOfUri(const QString& uri, const QString& listFolder)
{
    const QString scheme = schemeOf(uri);
    if (!scheme.isEmpty())
        return addressOrFile(uri, scheme);
    if (uri.startsWith(QLatin1String("//"))) {
        ListLocation location;  // another machine's address
        location.kind = ListLocation::Kind::Address;
        location.path = uri;
        return location;
    }
    const QString path = decodedPercent(uri);
    if (IsWindowsPathText(path))
        return named(windowsLocation(path), uri);
    return named(localPath(path, listFolder), uri);
}

QString LocationTextFor(const QString& path, const QString& listFolder)
{
    if (!IsAbsolutePath(path))
        return path;
    const auto readsBack = [&](const QString& text) {
        // A line is read trimmed, "#" starts a note and a line's first U+FEFF is
        // taken for a byte-order mark.
        return text == text.trimmed() && !text.startsWith(u'#') && !text.startsWith(QChar(0xFEFF))
               && namesPath(LocationOfText(text, listFolder), path);
    };
    if (!sys::holdsRawBytes(path)) {
        const QString folder = withSlash(listFolder);
        if (path.startsWith(folder) && path.size() > folder.size()) {
            const QString relative = path.mid(folder.size());
            if (readsBack(relative))
                return relative;
        }
        if (readsBack(path))
            return path;
    }
    return FileUriOf(path);
}

QString LocationUriFor(const QString& path, const QString& listFolder)
{
    if (!IsAbsolutePath(path)) {
        // A Windows path that was not found here, kept for another machine.
        QString slashed = path;
        slashed.replace(u'\\', u'/');
        if (slashed.startsWith(QLatin1String("//")))
            return QStringLiteral("file:") + percentEncoded(slashed, "/:");
        if (startsWithDrive(slashed) && slashed.size() > 2 && slashed[2] == u'/')
            return QStringLiteral("file:///") + percentEncoded(slashed, "/:");
        return percentEncoded(path, "/");
    }
    const QString folder = withSlash(listFolder);
    if (path.startsWith(folder) && path.size() > folder.size()) {
        const QString relative = percentEncoded(path.mid(folder.size()), "/");
        if (namesPath(LocationOfUri(relative, listFolder), path))
            return relative;
    }
    return FileUriOf(path);
}

QString FileUriOf(const QString& path)
{
    QString slashed = QDir::fromNativeSeparators(path);
    if (!slashed.startsWith(u'/'))
        slashed.prepend(u'/');
    return QStringLiteral("file://") + percentEncoded(slashed, "/");
}

QStringView NameInLocation(QStringView location)
{
    qsizetype cut = location.size();
    while (cut > 0 && location[cut - 1] != u'/' && location[cut - 1] != u'\\')
        --cut;
    return location.sliced(cut);
}

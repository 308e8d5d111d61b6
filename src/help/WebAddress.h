#pragma once
// How the text of the address box becomes the address the web view loads.

#include <QString>
#include <QUrl>

namespace help {
// True when the text names a file on this computer by its full path: an
// absolute path ("/usr/share/x.htm"), a drive path ("c:\x\y.htm", "D:/y.htm")
// or a network share ("\\server\share\x.htm").
bool isLocalPath(const QString& text);

// The address to load for the text of the address box. A local path becomes
// a file address; every other text is passed on as it is, with no scheme
// guessed and nothing trimmed, so the engine shows whatever it makes of it.
QUrl addressFor(const QString& text);
} // namespace help

#pragma once
// What a location written in a list file names, and how an entry's path is
// written so that it reads back as itself. Pure rules: the list's folder is
// given, nothing is looked up on the disk.
//
// A location is one of:
//  - a path: absolute, or relative to the list's own folder (".." may climb),
//    or a file:// address, decoded exactly once;
//  - an address of anything else (http:, https:, ...), or one that decodes to
//    what no file is named (a line break, a NUL): not a local file;
//  - a Windows path ("C:\Music\a.mp3", "\\server\share\a.mp3", or anything
//    with a backslash): its folders and file name, to be found again under
//    the list's folder when the path does not exist here.

#include <QString>
#include <QStringList>

struct ListLocation {
    enum class Kind { Path, Address, Windows };
    Kind kind = Kind::Path;
    // Path: the local path, made absolute against the list's folder when it
    // was relative. Address: the address as written. Windows: the path as
    // Windows writes it ("C:\Music\a.mp3"), decoded.
    QString path;
    // Windows: the folders and the file's name, in order, without the drive,
    // the server and the share.
    QStringList parts;
    // Windows: the path starts at a drive, a server or a root, not at the
    // list's folder.
    bool rooted = false;
};

// A location of a line-based list (M3U, PLS), trimmed: a path, a Windows
// path or an address.
ListLocation LocationOfText(const QString& text, const QString& listFolder);
// A location of an XSPF list: a URI reference, relative ones resolved
// against the list's folder and percent-decoded once.
ListLocation LocationOfUri(const QString& uri, const QString& listFolder);

// True for a path that is absolute on this system's disks (Qt's own
// resource paths, which start with ":", are not).
bool IsAbsolutePath(const QString& path);

// True for a text that is a Windows path: a drive letter and a separator, a
// server's share (\\server\share) or any backslash.
bool IsWindowsPathText(const QString& text);

// The text that a line-based list in listFolder holds for path: relative,
// with "/", when the entry lies under the folder; the path itself when it
// does not; a file:// address, its bytes percent-encoded, when neither
// would read back as the same path (a name that is not valid UTF-8, a
// backslash in a name, blanks around it). A path that is not absolute (a
// Windows path not found here) is written as it is.
QString LocationTextFor(const QString& path, const QString& listFolder);
// The URI that an XSPF list in listFolder holds for path: a relative
// reference when the entry lies under the folder, else a file:// address;
// percent-encoded exactly once.
QString LocationUriFor(const QString& path, const QString& listFolder);
// The file:// address of an absolute path, its bytes percent-encoded.
QString FileUriOf(const QString& path);

// The file's own name in a location: the text after its last "/" or "\".
QStringView NameInLocation(QStringView location);

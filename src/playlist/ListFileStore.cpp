// Reading and writing list files on the disk (the codec is in ListFile.cpp).
#include "playlist/ListFile.h"

#include "system/RegularFile.h"
#include "system/SystemCalls.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// The bytes written straight into the existing file at path (a link leads to
// its target), then flushed to the disk. Used only where no temporary file
// can be made beside it.
bool writeInPlace(const QString& path, const QByteArray& bytes, const ListFileWrite& write)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = write ? write(file, bytes) : file.write(bytes) == bytes.size();
    return written && file.flush() && sys::syncToDisk(file.handle());
}
} // namespace

std::optional<QByteArray> readListFileBytes(const QString& path, qint64 maxSize, ListFileScan* scanned)
{
    if (path.isEmpty())
        return std::nullopt;
    sys::RegularFile file(path);
    if (!file.isOpen() || file.size() > maxSize)
        return std::nullopt;
    // Read to the end rather than trusting the size: the file may have
    // changed since, and some files report no size at all.
    ListFileScan scan;
    QByteArray bytes;
    bytes.reserve(file.size());
    QByteArray chunk(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        if (bytes.size() + got > maxSize || !scan.feed(QByteArrayView(chunk.constData(), got)))
            return std::nullopt;
        bytes.append(chunk.constData(), got);
    }
    if (scanned)
        *scanned = scan;
    return bytes;
}

std::optional<QStringList> readListFile(const QString& path)
{
    ListFileScan scan;
    const std::optional<QByteArray> bytes = readListFileBytes(path, kMaxListFileSize, &scan);
    if (!bytes)
        return std::nullopt;
    return decodeScannedListFile(*bytes, scan);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, const ListFileWrite& write)
{
    if (path.isEmpty())
        return false;
    // Replacing a folder, a device or a pipe by a file is never wanted.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return false;

    // The save file follows a symbolic link to its target, and its commit
    // flushes the new file to the disk before it takes the target's place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // No new file in that folder (it is read-only to us): the same bytes
        // go straight into the list file, when that one may be written.
        // A failure for any other cause (a full disk) leaves the file alone.
        const QFileInfo existing(path);
        const QFileInfo folder(QFileInfo(existing.canonicalFilePath()).absolutePath());
        return existing.isFile() && existing.isWritable() && !folder.isWritable()
               && writeInPlace(path, bytes, write);
    }
    const bool written = write ? write(file, bytes) : file.write(bytes) == bytes.size();
    if (!written)
        return false;  // a temporary file goes with `file`; the target is untouched
    return file.commit();
}

bool writeListFile(const QString& path, const QStringList& entries, const ListFileWrite& write)
{
    const std::optional<QByteArray> bytes = encodeListFile(entries);
    return bytes && writeFileAtomically(path, *bytes, write);
}

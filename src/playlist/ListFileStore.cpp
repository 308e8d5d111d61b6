// Reading and writing list files on the disk (the codec is in ListFile.cpp).
#include "playlist/ListFile.h"

#include "system/RegularFile.h"

#include <QFileInfo>
#include <QSaveFile>

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

    // The save file follows a symbolic link to its target. Only where no
    // temporary file can be made beside the target does it write into the
    // target itself; its commit flushes either to the disk.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
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

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

namespace {
// Reads file from where it stands to its end in chunks, handing each to
// take; false on a failure to read, past maxSize bytes, or when take says no.
// The file is read to its end rather than to its size: it may have changed
// since it was opened, and some files report no size at all.
template <typename Take>
bool readChunks(sys::RegularFile& file, qint64 maxSize, Take&& take)
{
    QByteArray chunk(256 * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        total += got;
        if (total > maxSize || !take(QByteArrayView(chunk.constData(), got)))
            return false;
    }
}

std::optional<QByteArray> readWhole(sys::RegularFile& file, qint64 maxSize, ListFileScan& scan)
{
    QByteArray bytes;
    bytes.reserve(file.size());
    const bool read = readChunks(file, maxSize, [&](QByteArrayView chunk) {
        bytes.append(chunk);
        return scan.feed(chunk);
    });
    return read ? std::optional(bytes) : std::nullopt;
}
} // namespace

std::optional<QByteArray> readListFileBytes(const QString& path, qint64 maxSize, ListFileScan* scanned)
{
    if (path.isEmpty())
        return std::nullopt;
    sys::RegularFile file(path);
    if (!file.isOpen() || file.size() > maxSize)
        return std::nullopt;
    ListFileScan scan;
    std::optional<QByteArray> bytes = readWhole(file, maxSize, scan);
    if (bytes && scanned)
        *scanned = scan;
    return bytes;
}

std::optional<QStringList> readListFile(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    sys::RegularFile file(path);
    if (!file.isOpen() || file.size() > kMaxListFileSize)
        return std::nullopt;
    // First only the limits: a file that breaks one is refused after reading
    // no more of it than that, before any entry is made.
    ListFileScan limits;
    if (!readChunks(file, kMaxListFileSize, [&](QByteArrayView chunk) { return limits.feed(chunk); })
        || !file.rewind())
        return std::nullopt;
#ifndef Q_OS_WIN
    // Most lists are UTF-8: decoded as they are read, through one small buffer.
    using Fed = Utf8ListDecoder::Fed;
    Utf8ListDecoder decoder(limits.entries + 1);
    Fed fed = Fed::Taken;
    const bool read = readChunks(file, kMaxListFileSize, [&](QByteArrayView chunk) {
        fed = decoder.feed(chunk);
        return fed == Fed::Taken;
    });
    if (read && fed == Fed::Taken)
        fed = decoder.finish();
    if (fed == Fed::Taken)
        return read ? std::optional(decoder.takeEntries()) : std::nullopt;
    if (fed == Fed::Refused || !file.rewind())
        return std::nullopt;
#endif
    // Another encoding: the whole file, read again through the same handle.
    ListFileScan scan;
    const std::optional<QByteArray> bytes = readWhole(file, kMaxListFileSize, scan);
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

// Reading and writing list files on the disk (the codec is in ListFile.cpp).
#include "playlist/ListFile.h"

#include "system/FileWriting.h"
#include "system/RegularFile.h"

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
    // Replacing a folder, a device, a pipe, or a link that leads nowhere or
    // in a loop, by a file is never wanted.
    const sys::NameLeadsTo target = sys::whatNameLeadsTo(path);
    if (target == sys::NameLeadsTo::SomethingElse)
        return false;
    // Past a size limit set for the program a write would end it: such a
    // list is refused before a byte is written.
    if (!sys::fileSizeAllowed(bytes.size()))
        return false;
    switch (sys::replaceFile(path, bytes, write)) {
    case sys::Replaced::Yes:
        return true;
    case sys::Replaced::No:
        return false;
    case sys::Replaced::FolderTakesNoNewFile:
        // The folder is read-only to us, but the list itself may be written:
        // it is rewritten where it stands, and put back on any failure.
        return target == sys::NameLeadsTo::RegularFile && sys::rewriteFileInPlace(path, bytes, write);
    }
    return false;
}

bool writeListFile(const QString& path, const QStringList& entries, const ListFileWrite& write)
{
    const std::optional<QByteArray> bytes = encodeListFile(entries);
    return bytes && writeFileAtomically(path, *bytes, write);
}

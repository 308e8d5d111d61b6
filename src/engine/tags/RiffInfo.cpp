#include "engine/tags/RiffInfo.h"

#include "engine/tags/TagText.h"

#include <QtEndian>

namespace {

struct ChunkHeader {
    QByteArray id;
    quint32 size = 0;
};

bool chunkHeader(const QByteArray& bytes, ChunkHeader& out)
{
    if (bytes.size() < 8)
        return false;
    out.id = bytes.first(4);
    out.size = qFromLittleEndian<quint32>(bytes.constData() + 4);
    return true;
}

// Chunks are padded to an even size.
qint64 padded(quint32 size)
{
    return qint64(size) + (size & 1);
}

} // namespace

MediaTags riffInfoFields(QByteArrayView list)
{
    MediaTags tags;
    qsizetype at = 0;
    while (list.size() - at >= 8) {
        const QByteArrayView id = list.sliced(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(list.data() + at + 4);
        const qsizetype body = at + 8;
        const QByteArrayView data = list.sliced(body, std::min<qint64>(size, list.size() - body));
        QString* field = id == "INAM" ? &tags.title
            : id == "IART"            ? &tags.artist
            : id == "IPRD"            ? &tags.album
            : id == "ICOP"            ? &tags.copyright
                                      : nullptr;
        if (field && field->isEmpty())
            *field = tagText(data);
        if (padded(size) > list.size() - body)
            break;
        at = body + padded(size);
    }
    return tags;
}

MediaTags readRiffInfo(const RiffReadAt& readAt)
{
    const QByteArray head = readAt(0, 12);
    if (head.size() < 12 || !head.startsWith("RIFF"))
        return {};
    const qint64 end = 8 + qint64(qFromLittleEndian<quint32>(head.constData() + 4));
    qint64 at = 12;
    for (int n = 0; n < kMaxRiffChunks && at + 8 <= end; ++n) {
        ChunkHeader chunk;
        if (!chunkHeader(readAt(at, 8), chunk))
            break;
        if (chunk.id == "LIST" && chunk.size >= 4 && readAt(at + 8, 4) == "INFO") {
            const qint64 length = std::min<qint64>(chunk.size - 4, kMaxRiffInfoBytes);
            return riffInfoFields(readAt(at + 12, length));
        }
        at += 8 + padded(chunk.size);
    }
    return {};
}

#include "engine/tags/TagText.h"

#include "engine/MediaTags.h"
#include "text/TextDecoding.h"

#include <algorithm>

QString tagText(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes = bytes.first(end);
    // A field longer than any name is no name: only its start is decoded.
    return tagText(text::decodeByteString(bytes.first(std::min(bytes.size(), 4 * MediaTagReader::kMaxFieldLength))));
}

QString tagText(const QString& text)
{
    QString field = text;
    const qsizetype end = field.indexOf(QChar(0));
    if (end >= 0)
        field.truncate(end);
    field = field.trimmed();
    if (field.size() > MediaTagReader::kMaxFieldLength) {
        field.truncate(MediaTagReader::kMaxFieldLength);
        // Never half of a surrogate pair at the end.
        if (field.back().isHighSurrogate())
            field.chop(1);
    }
    return field;
}

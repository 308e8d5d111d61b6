#include "engine/vlc/SubtitleText.h"

#include "text/TextDecoding.h"

namespace {

bool startsWithUtf16Mark(QByteArrayView bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// Valid UTF-8 up to a character that the end of the read may have cut.
bool isUtf8Head(QByteArrayView head, bool whole)
{
    if (head.isValidUtf8())
        return true;
    for (qsizetype cut = 1; !whole && cut <= 3 && cut < head.size(); ++cut)
        if (head.chopped(cut).isValidUtf8())
            return true;
    return false;
}

} // namespace

SubtitleJudgement judgeSubtitle(QByteArrayView head, bool whole)
{
    using Way = SubtitleJudgement::Way;
    if (head.isEmpty() || (!startsWithUtf16Mark(head) && head.contains('\0')))
        return {Way::LeftOut, {}};
    if (head.startsWith(text::kUtf8ByteOrderMark) || isUtf8Head(head, whole))
        return {Way::AsItIs, {}};
    if (!whole)
        return {Way::LeftOut, {}};
    return {Way::Utf8Copy, text::decodeByteString(head).toUtf8()};
}

#include "playlist/formats/ListLines.h"

#include "playlist/formats/SorvanList.h"

namespace {
char16_t unitOf(QChar c)
{
    return c.unicode();
}

char16_t unitOf(char c)
{
    return char16_t(uchar(c));
}

template <typename View>
bool startsWithWordIn(View text, QLatin1StringView prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        const char16_t c = unitOf(text[i]);
        const char16_t lower = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        const char16_t p = unitOf(prefix.data()[i]);
        const char16_t wanted = (p >= u'A' && p <= u'Z') ? char16_t(p + 32) : p;
        if (lower != wanted)
            return false;
    }
    return true;
}
} // namespace

bool KeepsListLineLimits(QByteArrayView bytes)
{
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    qsizetype line = 0;
    for (const char c : bytes) {
        if (c == '\r' || c == '\n') {
            line = 0;
            continue;
        }
        if ((c == '\0' && !utf16) || ++line > kMaxListLineBytes)
            return false;
    }
    return true;
}

bool StartsWithWord(QStringView text, QLatin1StringView prefix)
{
    return startsWithWordIn(text, prefix);
}

bool StartsWithWord(QByteArrayView text, QLatin1StringView prefix)
{
    return startsWithWordIn(text, prefix);
}

#pragma once
// The lines of the line-based list formats (M3U, PLS): the limits their bytes
// keep, and a walk over their lines.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <optional>

// True when no line of bytes is longer than the list line limit and no byte
// is a NUL (in UTF-16 text, marked as such, NUL bytes are part of the text).
bool KeepsListLineLimits(QByteArrayView bytes);

// The text of a line-based list's bytes in the shared decoding order, or in
// encoding when it is given and known; a character that no encoding gives
// (half of a surrogate pair, from UTF-16 that is not) becomes U+FFFD.
QString ListText(QByteArrayView bytes, const QByteArray& encoding = {});

struct ListItem;

// One entry of a line-based list as written: its location and its title
// (the file's name where it has none), each fit for one line of the limit,
// and its length (-1 when unknown).
struct ListLine {
    QByteArray location;
    QByteArray title;
    int seconds = -1;
};
// The lines of the entries of items that have a location; nothing when one
// cannot be written on one line that is read back (a line break in it, or
// too long).
std::optional<QList<ListLine>> LinesOfItems(const QList<ListItem>& items, const QString& listFolder);

// True when text starts with prefix, in any letter case of ASCII.
bool StartsWithWord(QStringView text, QLatin1StringView prefix);
bool StartsWithWord(QByteArrayView text, QLatin1StringView prefix);

// Where the character c next occurs in text from from on; text.size() when
// it does not.
qsizetype NextInListText(QByteArrayView text, char16_t c, qsizetype from);
qsizetype NextInListText(QStringView text, char16_t c, qsizetype from);

// Calls visit(line) for each line of text (a QStringView or QByteArrayView)
// as it is, empty ones too; CR LF, LF and a lone CR end a line. Stops when
// visit returns false; returns false then. Each line end is searched for
// once, however the lines end.
template <typename View, typename Visit>
bool ForEachRawListLine(View text, Visit&& visit)
{
    const qsizetype length = text.size();
    qsizetype nextLf = -1;
    qsizetype nextCr = -1;
    for (qsizetype start = 0; start <= length;) {
        if (nextLf < start)
            nextLf = NextInListText(text, u'\n', start);
        if (nextCr < start)
            nextCr = NextInListText(text, u'\r', start);
        const qsizetype end = std::min(nextLf, nextCr);
        if (!visit(text.sliced(start, end - start)))
            return false;
        start = end + (end + 1 < length && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
    }
    return true;
}

// The same for the lines trimmed of blanks, empty ones skipped.
template <typename View, typename Visit>
bool ForEachListLine(View text, Visit&& visit)
{
    return ForEachRawListLine(text, [&](View line) {
        line = line.trimmed();
        return line.isEmpty() || visit(line);
    });
}

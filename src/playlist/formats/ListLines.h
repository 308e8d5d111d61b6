#pragma once
// The lines of the line-based list formats (M3U, PLS): the limits their bytes
// keep, and a walk over their lines.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <QStringView>

// True when no line of bytes is longer than the list line limit and no byte
// is a NUL (in UTF-16 text, marked as such, NUL bytes are part of the text).
bool KeepsListLineLimits(QByteArrayView bytes);

// The text of a line-based list's bytes in the shared decoding order, or in
// encoding when it is given and known; a character that no encoding gives
// (half of a surrogate pair, from UTF-16 that is not) becomes U+FFFD.
QString ListText(QByteArrayView bytes, const QByteArray& encoding = {});

struct ListItem;

// One entry of a line-based list as written: its location and its title
// (the file's name where it has none), each fit for one line of the limit.
struct ListLine {
    QByteArray location;
    QByteArray title;
};
// Nothing when the location cannot be written on one line that is read back
// (a line break in it, or too long).
std::optional<ListLine> LineOfItem(const ListItem& item, const QString& listFolder);

// True when text starts with prefix, in any letter case of ASCII.
bool StartsWithWord(QStringView text, QLatin1StringView prefix);
bool StartsWithWord(QByteArrayView text, QLatin1StringView prefix);

// Calls visit(line) for each line of text (a QStringView or QByteArrayView),
// trimmed of blanks, empty ones skipped; CR LF, LF and a lone CR end a line.
// Stops when visit returns false; returns false then.
template <typename View, typename Visit>
bool ForEachListLine(View text, Visit&& visit)
{
    const qsizetype length = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= length; ++i) {
        if (i < length && text[i] != u'\r' && text[i] != u'\n')
            continue;
        const View line = text.sliced(start, i - start).trimmed();
        start = i + 1;
        if (!line.isEmpty() && !visit(line))
            return false;
    }
    return true;
}

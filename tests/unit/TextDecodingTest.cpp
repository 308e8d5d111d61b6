// The one order in which byte strings of unknown encoding become text.
#include "text/TextDecoding.h"

#include <gtest/gtest.h>

TEST(TextDecoding, EachByteStringIsReadInTheOneOrder)
{
    const struct {
        const char* what;
        QByteArray bytes;
        QString text;
    } rows[] = {
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF\xE6\xA1\x9C", u"桜"_qs},
        {"a UTF-16 LE byte-order mark", QByteArray("\xFF\xFE\x5C\x68\x6E\x30", 6), u"桜の"_qs},
        {"a UTF-16 BE byte-order mark", QByteArray("\xFE\xFF\x68\x5C", 4), u"桜"_qs},
        {"valid UTF-8", "\xE6\x97\xA5\xE6\x9C\xAC Caf\xC3\xA9", u"日本 Café"_qs},
        {"CP932 with its vendor characters", "\x8D\xF7\x82\xCC\x89\xCC\x81\x60\x87\x40", u"桜の歌～①"_qs},
        {"CP932 with a 0x5C trail byte", "\x83\x5C\x95\x5C", u"ソ表"_qs},
        {"Latin-1 that is no CP932", "Caf\xE9", u"Café"_qs},
        {"half-width katakana alone are no double-byte text", "\xB1\xB2", u"±²"_qs},
        {"a lead byte without its trail", "\x93\xFA\x96", u"\u0093ú\u0096"_qs},
        {"plain ASCII", "Track 1", u"Track 1"_qs},
        {"nothing", "", QString()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(text::decodeByteString(row.bytes), row.text);
    }
}

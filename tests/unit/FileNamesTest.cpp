// File names kept as the bytes the system gave them.
#include "system/FileNames.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(FileNames, EveryByteOfANameComesBackAndValidUtf8IsItsText)
{
    const struct {
        const char* what;
        QByteArray bytes;
        QString name;
    } rows[] = {
        // Kept bytes are written as code units (\xDCnn): they are no characters.
        {"UTF-8", "/m/\xE6\x9B\xB2.wav", u"/m/曲.wav"_qs},
        {"a Latin-1 byte", "caf\xE9.wav", u"caf\xDCE9.wav"_qs},
        // QString drops U+FEFF at the start of text it decodes.
        {"a valid name starting with a byte-order mark", "\xEF\xBB\xBF" "a", u"\xFEFF" "a"_qs},
        {"byte-order marks around a kept byte", "\xEF\xBB\xBF" "a\xE9\xEF\xBB\xBF", u"\xFEFF" "a\xDCE9\xFEFF"_qs},
        {"a cut sequence at the end", "a\xE6\x9B", u"a\xDCE6\xDC9B"_qs},
        {"an overlong slash", "\xC0\xAF", u"\xDCC0\xDCAF"_qs},
        {"an encoded surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"_qs},
        {"past U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"_qs},
        // U+10080 is the pair D800 DC80: its low half is no kept byte.
        {"a pair whose low half looks kept, then a kept byte", "\xF0\x90\x82\x80\xFF",
         u"\U00010080\xDCFF"_qs},
        {"a kept byte, then U+FEFF", "\xBF\xEF\xBB\xBF", u"\xDCBF\xFEFF"_qs},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(sys::nameFromBytes(row.bytes), row.name);
        EXPECT_EQ(sys::bytesOfName(row.name), row.bytes);
        EXPECT_EQ(sys::holdsRawBytes(row.name), !row.bytes.isValidUtf8());
    }
}

TEST(FileNames, RandomBytesSurviveTheRoundTrip)
{
    QRandomGenerator random(20261207);
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes(int(random.bounded(12)), Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(random.bounded(2) ? random.bounded(256) : 0x80 + random.bounded(0x40));
        ASSERT_EQ(sys::bytesOfName(sys::nameFromBytes(bytes)), bytes) << bytes.toHex().constData();
    }
}

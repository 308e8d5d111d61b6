// CD-Text of disc images made here (cue sheet, samples and CD-Text file),
// through libcdio and through the CD control.
#include "controls/cdplayer/MMControl.h"
#include "engine/DiscImage.h"
#include "engine/TagFixtures.h"
#include "engine/cdio/CdTextPacks.h"
#include "engine/cdio/CdioDrive.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

using tagfixture::CdTextBlock;

void PrintTo(const CdText& t, std::ostream* out)
{
    *out << QStringList{t.album, t.performer, t.tracks.value(1).title, t.tracks.value(3).title}.join(u'|').toStdString();
}

namespace {

const CdTextBlock kEnglish{'\x00', '\x09', {"Caf\xE9 Songs", "First", "Second", "Third"}, {"The Band", "", "", ""}};
// "日本のアルバム", "最初の歌", "歌手Ａ" in MS-JIS; the third title repeats the
// second (a tab).
const CdTextBlock kJapanese{'\x80', '\x69',
                            {"\x93\xFA\x96\x7B\x82\xCC\x83\x41\x83\x8B\x83\x6F\x83\x80",
                             "\x8D\xC5\x8F\x89\x82\xCC\x89\xCC", "Two", "\t\t"},
                            {"\x89\xCC\x8E\xE8\x82\x60", "", "", ""}};

const CdText kJapaneseText{u"日本のアルバム"_qs, u"歌手Ａ"_qs,
                           {{1, {u"最初の歌"_qs, {}}}, {2, {u"Two"_qs, {}}}, {3, {u"Two"_qs, {}}}}};
const CdText kEnglishText{u"Café Songs"_qs, u"The Band"_qs,
                          {{1, {u"First"_qs, {}}}, {2, {u"Second"_qs, {}}}, {3, {u"Third"_qs, {}}}}};

} // namespace

TEST(CdText, TheJapaneseBlockElseTheFirstInItsOwnCharacterCode)
{
    const CdText& english = kEnglishText;
    const struct {
        const char* what;
        QByteArray packs;
        CdText text;
    } rows[] = {
        {"English and Japanese blocks", tagfixture::cdTextPacks({kEnglish, kJapanese}), kJapaneseText},
        {"a Japanese block only", tagfixture::cdTextPacks({kJapanese}), kJapaneseText},
        {"an English block only, in ISO-8859-1", tagfixture::cdTextPacks({kEnglish}), english},
        {"with the header of a drive's answer", QByteArray("\x01\x6A\0\0", 4) + tagfixture::cdTextPacks({kEnglish}),
         english},
        {"no CD-Text", {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        DiscImage image(row.packs);
        const std::unique_ptr<CdDrive> drive = openCdioDrive(image.cue);
        ASSERT_NE(drive, nullptr);
        EXPECT_EQ(drive->cdText(), row.text);
    }
}

TEST(CdText, ADriveAnswerIsReadNoFurtherThanItsLengthOrLibcdiosBuffer)
{
    const QByteArray english = tagfixture::cdTextPacks({kEnglish});
    const QByteArray both = tagfixture::cdTextPacks({kEnglish, kJapanese});
    // libcdio's buffer: the header (the count of the bytes after its first
    // two), the packs, and not a byte more.
    auto answer = [](const QByteArray& packs, qsizetype reported) {
        QByteArray buffer = QByteArray(1, char(reported >> 8)) + char(reported & 0xFF) + QByteArray(2, '\0') + packs;
        buffer.resize(kLibcdioCdTextBufferBytes, '\0');
        return buffer;
    };
    const struct {
        const char* what;
        QByteArray buffer;
        qsizetype size;
        CdText text;
    } rows[] = {
        {"the length reported", answer(both, both.size() + 2), both.size() + 4, kJapaneseText},
        {"a length that ends before the Japanese block", answer(both, english.size() + 2), english.size() + 4,
         kEnglishText},
        {"a length past libcdio's buffer", answer(both, 0xFFFF), kLibcdioCdTextBufferBytes, kJapaneseText},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const auto* data = reinterpret_cast<const unsigned char*>(row.buffer.constData());
        EXPECT_EQ(driveCdTextSize(data), row.size);
        EXPECT_EQ(decodeDriveCdText(data), row.text);
    }
}

TEST(CdText, TheControlTellsItWhileTheDiscIsOpen)
{
    DiscImage image(tagfixture::cdTextPacks({kEnglish, kJapanese}));
    MMControl control(openCdioDrive, {});
    control.setDevicePath(image.cue);
    control.setDeviceType("CDAudio");
    control.setCommand("Open");
    ASSERT_TRUE(waitFor([&] { return control.status() != MMControl::Status::Opening; }));
    EXPECT_EQ(control.cdText(), kJapaneseText);
    control.setCommand("Close");
    EXPECT_TRUE(control.cdText().isEmpty());
}

#include "playback/PathRules.h"

#include <gtest/gtest.h>

TEST(NameOfPath, TakesTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(NameOfPath("/home/u/Music/a b.mp3", '/'), "a b.mp3");
    EXPECT_EQ(NameOfPath("/x.mid", '/'), "x.mid");
    EXPECT_EQ(NameOfPath("C:\\Music\\a b.mp3", '\\'), "a b.mp3");
    // Blanks, case and extension stay as they are.
    EXPECT_EQ(NameOfPath("/m/  Tune.MP3 ", '/'), "  Tune.MP3 ");
    EXPECT_EQ(NameOfPath("/音楽/さくら.mid", '/'), "さくら.mid");
    // Bytes of a name that are not UTF-8 are shown decoded, as Latin-1 or Shift-JIS.
    EXPECT_EQ(NameOfPath(u"/m\xDCE9/caf\xDCE9.wav"_qs, '/'), u"café.wav"_qs);
    EXPECT_EQ(NameOfPath(u"/m/\xDC89\xDCB9\xDC8Ay.mid"_qs, '/'), u"音楽.mid"_qs);
}

TEST(NameOfPath, WithoutSeparatorOrEndingInOne)
{
    EXPECT_EQ(NameOfPath("song.wav", '/'), "song.wav");
    EXPECT_EQ(NameOfPath("/home/u/", '/'), "");
    EXPECT_EQ(NameOfPath("", '/'), "");
    EXPECT_EQ(NameOfPath("/", '/'), "");
}

TEST(NameOfPath, SplitsOnlyAtTheGivenSeparator)
{
    // On this platform only "/" separates: "\" and ":" are ordinary characters.
    EXPECT_EQ(NameOfPath("C:\\Music\\a.mp3", '/'), "C:\\Music\\a.mp3");
    EXPECT_EQ(NameOfPath("/a:b/c:d.wav", '/'), "c:d.wav");
    EXPECT_EQ(NameOfPath("/music/x.mid"), "x.mid");  // the platform's own separator
}

TEST(IsVideoFile, VideoEndingsInAnyCase)
{
    for (const char* name : {"clip.avi", "clip.AVI", "clip.Avi", "clip.mpg", "clip.MPG", "clip.Mpg",
                             "clip.mpeg", "clip.MPEG", "clip.Mpeg", "movie.mov", "MOVIE.MOV", "/v/a b.mov"})
        EXPECT_TRUE(IsVideoFile(name)) << name;
}

TEST(IsVideoFile, EverythingElseIsAudio)
{
    for (const char* name : {"tune.mp3", "a.mid", "a.wav", "clip.mpe", "clip.wmv", "", "Start.wav",
                             "avi.mp3", "clip.avi.txt"})
        EXPECT_FALSE(IsVideoFile(name)) << name;
}

TEST(IsVideoFile, LooksOnlyAtTheEnding)
{
    // A text as short as the ending is compared whole; the dot takes no part.
    EXPECT_TRUE(IsVideoFile("avi"));
    EXPECT_TRUE(IsVideoFile("xmpeg"));
    EXPECT_TRUE(IsVideoFile("/Videos/trailer_mov"));
}

TEST(IsMediaFileName, TheSevenSuffixesOfTheOpenDialogInAnyCase)
{
    for (auto [name, media] : {std::pair{"a.mid", true}, {"b.WAV", true}, {"c d.Mp3", true}, {"e.avi", true},
                               {"f.MPEG", true}, {"g.mpg", true}, {"h.mov", true}, {"x.y.mov", true},
                               {"a.midi", false}, {"clip.mpe", false}, {"avi", false}, {"xmpeg", false},
                               {"tune.mp3.txt", false}, {"list.lst", false}, {"", false}})
        EXPECT_EQ(IsMediaFileName(name), media) << name;
}

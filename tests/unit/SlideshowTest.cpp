// The slideshow's rules: the walk through the folder, the two picture sets
// and the click cycle of built-in pictures; and the built-in pictures the
// build puts into the program folder.
#include "background/PictureLoader.h"
#include "background/Slideshow.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QImageReader>
#include <QSet>
#include <gtest/gtest.h>

using namespace slideshow;

TEST(SlideshowTest, WalkGoesThroughTheListAndStartsOverAfterTheLast)
{
    EXPECT_EQ(nextSlideNo(1, 4), 2);
    EXPECT_EQ(nextSlideNo(2, 4), 3);
    EXPECT_EQ(nextSlideNo(3, 4), 0);
    EXPECT_EQ(nextSlideNo(0, 4), 1);
    // One file: the index after start-up (1) is already past the end.
    EXPECT_EQ(nextSlideNo(1, 1), 0);
    EXPECT_EQ(nextSlideNo(0, 1), 0);
    // No file at all.
    EXPECT_EQ(nextSlideNo(1, 0), 0);
    EXPECT_EQ(nextSlideNo(0, 0), 0);
    // More files than a 16-bit index can reach: start over, never overflow.
    EXPECT_EQ(nextSlideNo(32766, 40000), 32767);
    EXPECT_EQ(nextSlideNo(32767, 40000), 0);
}

TEST(SlideshowTest, StandardSetLeavesOutExactlyTheTwoGirlPictures)
{
    EXPECT_FALSE(inStandardSet(QStringLiteral("Girl.jpg")));
    EXPECT_FALSE(inStandardSet(QStringLiteral("Girl2.jpg")));
    for (const char* name : {"girl.jpg", "GIRL.JPG", "Girl.JPG", "girl2.jpg", "Girl3.jpg", "Girl.jpeg",
                             "MyGirl.jpg", "Girl.jpg ", "A.jpg", ""})
        EXPECT_TRUE(inStandardSet(QString::fromLatin1(name))) << name;

    EXPECT_FALSE(tickShows(QStringLiteral("Girl.jpg"), false));
    EXPECT_FALSE(tickShows(QStringLiteral("Girl2.jpg"), false));
    EXPECT_TRUE(tickShows(QStringLiteral("Z.jpg"), false));
    // Past the end of the list the name is empty: that tick shows nothing.
    EXPECT_TRUE(tickShows(QString(), false));
    // The full set shows every file.
    for (const char* name : {"Girl.jpg", "Girl2.jpg", "A.jpg", ""})
        EXPECT_TRUE(tickShows(QString::fromLatin1(name), true)) << name;
}

TEST(SlideshowTest, ClickCycleRunsThroughEightPicturesAndAnEmptyBackground)
{
    const QStringList expected = {
        QStringLiteral("コスモス.jpg"), QStringLiteral("吾妻山.jpg"), QStringLiteral("LumoNight.jpg"),
        QStringLiteral("ZazidU.jpg"),   QStringLiteral("秋田の泥湯.jpg"), QStringLiteral("Rose.jpg"),
        QStringLiteral("Girl.jpg"),     QStringLiteral("Girl2.jpg"),     QString(),
        QStringLiteral("コスモス.jpg"),
    };
    int pictureNo = 1;  // as after start-up
    for (const QString& name : expected) {
        EXPECT_EQ(builtInPicture(pictureNo), name) << pictureNo;
        pictureNo = nextPictureNo(pictureNo);
    }
    EXPECT_TRUE(builtInPicture(9).isEmpty());
    EXPECT_TRUE(builtInPicture(-1).isEmpty());
}

// The build draws every built-in picture into the program folder; each is a
// JPEG the program can show, and no two are alike.
TEST(SlideshowTest, BuildMakesEveryBuiltInPicture)
{
    QSet<QByteArray> contents;
    for (int pictureNo = 1; pictureNo <= kBuiltInCount; ++pictureNo) {
        const QString path = QStringLiteral(SORVAN_PROGRAM_DIR "/") + builtInPicture(pictureNo);
        SCOPED_TRACE(path.toStdString());
        QImageReader reader(path, "jpeg");
        reader.setAutoDetectImageFormat(false);
        const QSize size = reader.size();
        EXPECT_GE(size.width(), 560);
        EXPECT_LE(size.width(), 720);
        EXPECT_GE(size.height(), 420);
        EXPECT_LE(size.height(), 540);
        const std::optional<QImage> picture = loadVisiblePicture(path, QSize(657, 481));
        ASSERT_TRUE(picture.has_value());
        const QImage small = picture->scaled(16, 12).convertToFormat(QImage::Format_RGB32);
        contents.insert(QByteArray(reinterpret_cast<const char*>(small.constBits()), small.sizeInBytes()));
    }
    EXPECT_EQ(contents.size(), kBuiltInCount);
}

// Only a large progressive JPEG is worth decoding away from the window.
TEST(PictureLoaderTest, SlowToDecodeOnlyForLargeProgressiveJpegs)
{
    QTemporaryDir folder;
    auto write = [&](const char* name, const QSize& size, bool progressive) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(writeBytes(path, jpegBytes(image, progressive)));
        return path;
    };
    EXPECT_TRUE(slowToDecode(write("large-progressive.jpg", QSize(1400, 900), true)));
    EXPECT_FALSE(slowToDecode(write("large-baseline.jpg", QSize(1400, 900), false)));
    EXPECT_FALSE(slowToDecode(write("small-progressive.jpg", QSize(640, 480), true)));
    EXPECT_FALSE(slowToDecode(folder.filePath(QStringLiteral("missing.jpg"))));
    QFile text(folder.filePath(QStringLiteral("text.jpg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("\xFF\xD8 not much of a picture");
    text.close();
    EXPECT_FALSE(slowToDecode(text.fileName()));
}

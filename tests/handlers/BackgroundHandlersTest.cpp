// The background picture handlers on a main window with a temporary program
// folder: the picture list at start-up, the timer's walk through both sets,
// the click cycle, "背景を無くす", and files that cannot be shown.
#include "background/Slideshow.h"
#include "controls/forms/ClickableFrame.h"
#include "controls/forms/FileListBox.h"
#include "controls/forms/ListBox.h"
#include "controls/forms/Timer.h"
#include "support/MainWindowHarness.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QThreadPool>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Lets every picture decoded in the background arrive.
void finishBackgroundDecoding()
{
    ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(20000));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A picture with some detail in it, so that its JPEG data runs through every row.
QImage detailedImage(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::yellow);
    painter.fillRect(image.rect(), gradient);
    for (int i = 0; i < 40; ++i)
        painter.fillRect(i * 13 % size.width(), i * 7 % size.height(), 9, 9, QColor::fromHsv(i * 9, 200, 220));
    return image;
}

// The same JPEG with its frame header claiming width x height pixels.
QByteArray withClaimedSize(QByteArray jpeg, int width, int height)
{
    int at = 2;  // after the start-of-image marker
    while (at + 9 < jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker == 0xC0 || marker == 0xC2) {
            jpeg[at + 5] = char(height >> 8);
            jpeg[at + 6] = char(height & 0xFF);
            jpeg[at + 7] = char(width >> 8);
            jpeg[at + 8] = char(width & 0xFF);
            return jpeg;
        }
        at += 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

class BackgroundHandlersTest : public ::testing::Test {
protected:
    // The program folder is filled before start-up reads it.
    MainWindowHarness h{false};

    // A JPEG of one colour; tests tell pictures apart by their sizes.
    QString writePicture(const QString& name, const QSize& size, const QColor& colour = Qt::darkCyan)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return h.writeFile(name, jpegBytes(image));
    }
    void writeBuiltInPictures()
    {
        for (int pictureNo = 1; pictureNo <= slideshow::kBuiltInCount; ++pictureNo)
            writePicture(slideshow::builtInPicture(pictureNo), QSize(100 + pictureNo, 50));
    }

    // The size of the picture that Image1 shows; empty when it shows none.
    QSize shown()
    {
        const QPixmap picture = h.form().Image1->pixmap();
        return picture.isNull() ? QSize() : picture.size();
    }
    int shownWidth() { return shown().width(); }  // -1 for none
    int tick()
    {
        h->Timer1_Timer();
        return shownWidth();
    }
    int click()
    {
        h->Image1_Click();
        return shownWidth();
    }
    bool enabled(QAction* item) const { return item->isEnabled(); }
};

TEST_F(BackgroundHandlersTest, StartUpListsTheFolderJpegsAndShowsNoPicture)
{
    for (const char* name : {"b.JPG", "a.jpg", "Z.Jpg", ".hidden.jpg", "c.jpeg", "notes.txt", "a.jpg.bak"})
        writePicture(QString::fromLatin1(name), QSize(8, 8));
    QDir(h.programFolder()).mkdir(QStringLiteral("folder.jpg"));
    h->Form_Load();

    const QStringList names = {QStringLiteral("a.jpg"), QStringLiteral("b.JPG"), QStringLiteral("Z.Jpg")};
    EXPECT_EQ(h->File1->entries(), names);
    QStringList paths;
    for (const QString& name : names)
        paths << h->MyPath() + name;
    EXPECT_EQ(h->List3->entries(), paths);

    EXPECT_EQ(h->SlideNo, 1);
    EXPECT_EQ(h->PictureNo, 1);
    EXPECT_TRUE(h->Timer1->Enabled());
    EXPECT_EQ(h->Timer1->Interval(), 10000);
    EXPECT_TRUE(h->Timer1->isTicking());
    EXPECT_TRUE(enabled(h->mnuSetJpg));
    EXPECT_FALSE(enabled(h->mnuSetDft));
    EXPECT_TRUE(enabled(h->mnuSetNo));
    EXPECT_FALSE(shown().isValid());
}

// A.jpg, Girl.jpg, Girl2.jpg and Z.jpg, in the list's order.
class FourPictureFolder : public BackgroundHandlersTest {
protected:
    enum { A = 40, Girl = 41, Girl2 = 42, Z = 43, None = -1 };
    void SetUp() override
    {
        writePicture(QStringLiteral("A.jpg"), QSize(A, 30));
        writePicture(QStringLiteral("Girl.jpg"), QSize(Girl, 30));
        writePicture(QStringLiteral("Girl2.jpg"), QSize(Girl2, 30));
        writePicture(QStringLiteral("Z.jpg"), QSize(Z, 30));
        h->Form_Load();
    }
    std::vector<int> ticks(int n)
    {
        std::vector<int> widths;
        for (int i = 0; i < n; ++i)
            widths.push_back(tick());
        return widths;
    }
};

TEST_F(FourPictureFolder, StandardSetPassesOverTheGirlPicturesKeepingThePreviousOne)
{
    EXPECT_EQ(ticks(9), (std::vector<int>{None, None, Z, A, A, A, Z, A, A}));
    EXPECT_EQ(h->SlideNo, 2);
}

TEST_F(FourPictureFolder, FullSetShowsEveryFileInTurnFromTheSecond)
{
    h->mnuSetJpg_Click();
    emit h->Timer1->Tick();  // the timer runs the slideshow step
    EXPECT_EQ(shownWidth(), Girl);
    EXPECT_EQ(ticks(5), (std::vector<int>{Girl2, Z, A, Girl, Girl2}));
}

TEST_F(FourPictureFolder, ChoosingASetWaitsForTheNextTickAndKeepsTheWalk)
{
    h->mnuSetJpg_Click();
    EXPECT_EQ(tick(), Girl);
    EXPECT_EQ(h->SlideNo, 2);

    h->mnuSetDft_Click();
    EXPECT_EQ(shownWidth(), Girl);
    EXPECT_EQ(h->SlideNo, 2);
    EXPECT_EQ(tick(), Girl);  // Girl2.jpg is passed over now
    EXPECT_EQ(tick(), Z);

    h->mnuSetJpg_Click();
    EXPECT_EQ(shownWidth(), Z);
    EXPECT_FALSE(enabled(h->mnuSetJpg));
    EXPECT_TRUE(enabled(h->mnuSetDft));
    EXPECT_TRUE(enabled(h->mnuSetNo));
    EXPECT_EQ(tick(), A);
    EXPECT_EQ(tick(), Girl);
}

TEST_F(FourPictureFolder, NoBackgroundClearsAtOnceAndStopsTheTimer)
{
    h->mnuSetJpg_Click();
    ASSERT_EQ(tick(), Girl);

    h->mnuSetNo_Click();
    EXPECT_FALSE(shown().isValid());
    EXPECT_FALSE(h->Timer1->Enabled());
    EXPECT_EQ(h->Timer1->Interval(), 0);
    EXPECT_FALSE(h->Timer1->isTicking());
    EXPECT_FALSE(enabled(h->mnuSetNo));
    EXPECT_TRUE(enabled(h->mnuSetJpg));
    EXPECT_TRUE(enabled(h->mnuSetDft));  // left as the full set had it
    EXPECT_EQ(h->SlideNo, 2);

    // Choosing a set again starts the timer; the walk goes on where it stopped.
    h->mnuSetDft_Click();
    EXPECT_TRUE(h->Timer1->Enabled());
    EXPECT_EQ(h->Timer1->Interval(), 10000);
    EXPECT_TRUE(h->Timer1->isTicking());
    EXPECT_FALSE(shown().isValid());
    EXPECT_EQ(tick(), None);  // Girl2.jpg is passed over
    EXPECT_EQ(tick(), Z);
}

TEST_F(FourPictureFolder, NoBackgroundFromTheStandardSetLeavesOnlyTheFullSetToChoose)
{
    h->mnuSetNo_Click();
    EXPECT_TRUE(enabled(h->mnuSetJpg));
    EXPECT_FALSE(enabled(h->mnuSetDft));
    EXPECT_FALSE(enabled(h->mnuSetNo));
}

TEST_F(BackgroundHandlersTest, FolderWithOneJpegShowsNothingFirstThenThatFile)
{
    // The only file is the first built-in picture, so a click shows it before
    // the first tick.
    writePicture(QStringLiteral("コスモス.jpg"), QSize(70, 40));
    h->Form_Load();
    EXPECT_EQ(click(), 70);

    EXPECT_EQ(tick(), -1);  // index 1 is past the end: an empty picture
    EXPECT_EQ(h->SlideNo, 0);
    EXPECT_EQ(tick(), 70);
    EXPECT_EQ(tick(), 70);
    EXPECT_EQ(h->SlideNo, 0);
}

TEST_F(BackgroundHandlersTest, FolderWithoutJpegsShowsAnEmptyPictureOnEveryTick)
{
    h->Form_Load();
    EXPECT_EQ(h->File1->ListCount(), 0);
    EXPECT_EQ(h->List3->ListCount(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tick(), -1);
        EXPECT_EQ(h->SlideNo, 0);
    }
}

TEST_F(BackgroundHandlersTest, ClickCycleRunsNineStepsAndIgnoresSetAndTimer)
{
    writeBuiltInPictures();
    h->Form_Load();

    // The first click by mouse on the picture area.
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, h->Image1->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, h->Image1->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(h->Image1, &press);
    QApplication::sendEvent(h->Image1, &release);
    EXPECT_EQ(shownWidth(), 101);
    EXPECT_EQ(h->PictureNo, 2);

    std::vector<int> widths;
    for (int i = 0; i < 9; ++i)
        widths.push_back(click());
    EXPECT_EQ(widths, (std::vector<int>{102, 103, 104, 105, 106, 107, 108, -1, 101}));

    // With no background chosen the click still steps; the timer stays off.
    h->mnuSetNo_Click();
    EXPECT_EQ(click(), 102);
    EXPECT_EQ(click(), 103);
    EXPECT_FALSE(h->Timer1->isTicking());

    // A click neither stops nor restarts the timer, nor moves the walk.
    h->mnuSetJpg_Click();
    EXPECT_EQ(click(), 104);
    EXPECT_TRUE(h->Timer1->isTicking());
    EXPECT_EQ(h->SlideNo, 1);
    // The next tick replaces the clicked picture (entry 1: Girl2.jpg).
    EXPECT_EQ(tick(), 108);
}

TEST_F(BackgroundHandlersTest, PictureShowsAtItsOwnSizeCutOffAtTheDisplayArea)
{
    QImage big(1000, 800, QImage::Format_RGB32);
    big.fill(Qt::blue);
    QPainter(&big).fillRect(0, 0, 16, 16, Qt::red);
    h.writeFile(QStringLiteral("a.jpg"), jpegBytes(big));
    writePicture(QStringLiteral("b.jpg"), QSize(120, 90));
    h->Form_Load();
    h->SlideNo = 0;

    ASSERT_EQ(tick(), 657);
    EXPECT_EQ(h->Image1->geometry(), QRect(0, 64, 657, 481));
    EXPECT_EQ(h->Image1->geometry(), h->Image1->geometry().intersected(h->Picture1->rect()));
    const QImage picture = h->Image1->pixmap().toImage();
    EXPECT_GT(qRed(picture.pixel(4, 4)), 200);    // not scaled down: the
    EXPECT_LT(qBlue(picture.pixel(4, 4)), 60);    // red corner is still 16
    EXPECT_GT(qBlue(picture.pixel(30, 30)), 200); // pixels wide

    EXPECT_EQ(tick(), 120);
    EXPECT_EQ(h->Image1->geometry(), QRect(0, 64, 120, 90));

    // Cleared, the picture area keeps its size and still takes clicks.
    h->mnuSetNo_Click();
    EXPECT_EQ(h->Image1->geometry(), QRect(0, 64, 120, 90));
}

TEST_F(BackgroundHandlersTest, FileThatCannotBeShownKeepsThePreviousPicture)
{
    const QByteArray good = jpegBytes(detailedImage(QSize(300, 200)));
    h.writeFile(QStringLiteral("a.jpg"), good);
    h.writeFile(QStringLiteral("b.jpg"), QByteArray("this is not a picture at all\n").repeated(50));
    h.writeFile(QStringLiteral("c.jpg"), QByteArray());
    h.writeFile(QStringLiteral("d.jpg"), withClaimedSize(good, 30000, 30000));
    h.writeFile(QStringLiteral("e.jpg"), good.left(good.size() * 2 / 3));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(50, 50, QImage::Format_RGB32).save(&buffer, "PNG");
    h.writeFile(QStringLiteral("f.jpg"), png);
    writePicture(QStringLiteral("g.jpg"), QSize(80, 60));
    h->Form_Load();
    ASSERT_EQ(h->File1->ListCount(), 7);
    QFile::remove(h.inProgramFolder(QStringLiteral("g.jpg")));  // gone after start-up
    h->mnuSetJpg_Click();
    h->SlideNo = 0;

    ASSERT_EQ(tick(), 300);
    const QImage before = h->Image1->pixmap().toImage();
    for (const char* name : {"b (text)", "c (empty)", "d (30000 x 30000)", "e (cut short)", "f (PNG)",
                             "g (deleted)"}) {
        EXPECT_EQ(tick(), 300) << name;
        EXPECT_TRUE(h->Image1->pixmap().toImage() == before) << name;
    }
    EXPECT_EQ(h->SlideNo, 0);

    // A built-in picture missing from the folder keeps the picture as well,
    // and the click cycle still moves on.
    EXPECT_EQ(click(), 300);
    EXPECT_EQ(h->PictureNo, 2);
}

// A large progressive JPEG can only be decoded whole, so it is decoded away
// from the window; the current picture stays until it is ready.
TEST_F(BackgroundHandlersTest, LargeProgressivePictureArrivesLaterWithoutCoveringNewerOnes)
{
    writePicture(QStringLiteral("a.jpg"), QSize(40, 30));
    const QByteArray progressive = jpegBytes(detailedImage(QSize(1400, 900)), true);
    h.writeFile(QStringLiteral("b.jpg"), progressive);
    h.writeFile(QStringLiteral("c.jpg"), progressive.left(progressive.size() * 3 / 5));
    h->Form_Load();
    h->mnuSetJpg_Click();
    h->SlideNo = 0;

    EXPECT_EQ(tick(), 40);
    EXPECT_EQ(tick(), 40);  // b.jpg is on its way
    finishBackgroundDecoding();
    EXPECT_EQ(shown(), QSize(657, 481));
    const QImage b = h->Image1->pixmap().toImage();

    EXPECT_EQ(tick(), 657);  // c.jpg is cut short
    finishBackgroundDecoding();
    EXPECT_TRUE(h->Image1->pixmap().toImage() == b);

    // Asked for, then overtaken by "背景を無くす" and by a quick picture.
    h->SlideNo = 1;
    tick();
    h->mnuSetNo_Click();
    finishBackgroundDecoding();
    EXPECT_FALSE(shown().isValid());

    h->mnuSetJpg_Click();
    h->SlideNo = 1;
    tick();
    EXPECT_EQ(tick(), -1);  // c.jpg is sent off as well
    EXPECT_EQ(tick(), 40);
    finishBackgroundDecoding();
    EXPECT_EQ(shownWidth(), 40);
}

} // namespace

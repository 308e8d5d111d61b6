// The help browser window and the version window, driven through the main
// window's help menu and the windows' own controls. The browser's web view
// only records the addresses it is given here (no engine process); the last
// group loads real pages.
#include "controls/Twips.h"
#include "help/WebBrowser.h"
#include "help/frmBrowser22.h"
#include "help/frmVersion.h"
#include "support/MainWindowHarness.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

// Sizes and points in failure messages.
void PrintTo(const QSize& size, std::ostream* out)
{
    *out << size.width() << "x" << size.height();
}
void PrintTo(const QPoint& point, std::ostream* out)
{
    *out << "(" << point.x() << ", " << point.y() << ")";
}

namespace {
template <typename W>
int topLevelCount()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<W*>(widget))
            ++count;
    return count;
}

// Key presses and clicks as the window system delivers them.
void keyClick(QWidget* widget, Qt::Key key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void keyClicks(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        keyClick(widget, Qt::Key_unknown, QString(c));
}

void mouseClick(QWidget* widget, QPoint at = QPoint(-1, -1))
{
    if (at == QPoint(-1, -1))
        at = widget->rect().center();
    const QPointF global = widget->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

// Serves events until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

// Runs the deletions that closed windows asked for.
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class HelpWindows : public ::testing::Test {
protected:
    void SetUp() override { WebBrowser::setLoadPages(false); }
    void TearDown() override
    {
        delete h->browserWindow.data();
        delete h->versionWindow.data();
        WebBrowser::setLoadPages(true);
    }

    frmBrowser22& openHelp()
    {
        h->mnuHelpHtm_Click();
        return *h->browserWindow;
    }
    QString helpPage() { return h->MyPath() + QStringLiteral("Trevixhelp.htm"); }

    MainWindowHarness h;
};
} // namespace

TEST_F(HelpWindows, HelpMenuOpensOneWindowAndAlwaysReturnsToTheHelpPage)
{
    // The page does not exist in this program folder: it is asked for anyway.
    ASSERT_FALSE(QFile::exists(helpPage()));
    frmBrowser22& browser = openHelp();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Internet Browser"));
    EXPECT_EQ(browser.parentWidget(), nullptr) << "the window has no owner";
    EXPECT_EQ(browser.addressText(), helpPage());
    EXPECT_EQ(browser.WB->requests(), QStringList{helpPage()});

    browser.setAddressText(QStringLiteral("https://sorvan.example.org/other.htm"));
    browser.Combo1_KeyPress(13);
    ASSERT_EQ(browser.WB->lastAddress(), QStringLiteral("https://sorvan.example.org/other.htm"));

    h->mnuHelpHtm_Click();
    EXPECT_EQ(h->browserWindow.data(), &browser);
    EXPECT_EQ(topLevelCount<frmBrowser22>(), 1);
    EXPECT_EQ(browser.addressText(), helpPage());
    EXPECT_EQ(browser.WB->requests(),
              (QStringList{helpPage(), QStringLiteral("https://sorvan.example.org/other.htm"), helpPage()}));
    EXPECT_TRUE(h->isEnabled()) << "the help window is modeless";
}

TEST_F(HelpWindows, PickingAPresetLoadsNothingUntilEnterBackgroundClickOrHelpButton)
{
    frmBrowser22& browser = openHelp();
    ASSERT_EQ(browser.Combo1->count(), 4);
    EXPECT_EQ(browser.Combo1->itemText(0), QStringLiteral("c:\\Program Files\\Sorvanel\\QuentaHelp.htm"));
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(browser.Combo1->itemText(i).startsWith(QStringLiteral("https://"))) << i;

    // Keys typed into the box reach the combo box, which hands them to its
    // line edit.
    QWidget* box = browser.Combo1;
    const auto pick = [&](int index) {
        browser.Combo1->setCurrentIndex(index);
        emit browser.Combo1->activated(index);
        return browser.Combo1->itemText(index);
    };
    const qsizetype before = browser.WB->requests().size();

    // Enter in the address box, as the user presses it.
    const QString first = pick(1);
    EXPECT_EQ(browser.addressText(), first);
    keyClick(box, Qt::Key_End);
    EXPECT_EQ(browser.WB->requests().size(), before) << "picking and moving the cursor load nothing";
    keyClick(box, Qt::Key_Return);
    EXPECT_EQ(browser.WB->lastAddress(), first);

    // A click on the window's bare background.
    const QString second = pick(2);
    EXPECT_EQ(browser.WB->requests().size(), before + 1);
    mouseClick(&browser, QPoint(browser.width() / 2, 5 + browser.Combo1->geometry().bottom()));
    EXPECT_EQ(browser.WB->lastAddress(), second);

    // A click on the caption "URL" is not a click on the background.
    mouseClick(browser.Label3);
    EXPECT_EQ(browser.WB->requests().size(), before + 2);

    // The "ヘルプ表示" button.
    const QString third = pick(3);
    EXPECT_EQ(browser.WB->requests().size(), before + 2);
    QAction* show = browser.toolbarButton(QStringLiteral("Print"));
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->text(), QStringLiteral("ヘルプ表示"));
    show->trigger();
    EXPECT_EQ(browser.WB->lastAddress(), third);
}

TEST_F(HelpWindows, TypedAddressIsLoadedExactlyAsTyped)
{
    frmBrowser22& browser = openHelp();
    QLineEdit* edit = browser.Combo1->lineEdit();
    QWidget* box = browser.Combo1;
    edit->clear();
    keyClicks(box, QStringLiteral(" www.example.org/a b "));
    const qsizetype typed = browser.WB->requests().size();
    EXPECT_EQ(typed, 1) << "ordinary keys load nothing";
    keyClick(box, Qt::Key_Enter);  // the keypad's Enter too
    EXPECT_EQ(browser.WB->lastAddress(), QStringLiteral(" www.example.org/a b "));
    EXPECT_EQ(browser.Combo1->count(), 4) << "a typed address is not added to the preset list";

    // An empty box is passed on as it is, too.
    edit->clear();
    browser.Form_Click();
    EXPECT_EQ(browser.WB->lastAddress(), QString());
}

TEST_F(HelpWindows, ToolbarKeysAreExactAndBackClosesTheWindow)
{
    frmBrowser22& browser = openHelp();
    const qsizetype before = browser.WB->requests().size();
    for (const char* key : {"print", "PRINT", "exit", "Exit ", "", "Other"})
        browser.Toolbar1_ButtonClick(QString::fromLatin1(key));
    runDeferredDeletes();
    ASSERT_TRUE(h->browserWindow) << "no other key closes the window";
    EXPECT_EQ(browser.WB->requests().size(), before);

    QAction* back = browser.toolbarButton(QStringLiteral("Exit"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->text(), QStringLiteral("戻る"));
    back->trigger();
    runDeferredDeletes();
    EXPECT_TRUE(h->browserWindow.isNull());

    // The next "HELPを開く" makes the window again.
    h->mnuHelpHtm_Click();
    ASSERT_TRUE(h->browserWindow);
    EXPECT_EQ(h->browserWindow->WB->requests(), QStringList{helpPage()});
}

TEST_F(HelpWindows, TheCloseBoxDestroysTheWindow)
{
    openHelp().close();
    runDeferredDeletes();
    EXPECT_TRUE(h->browserWindow.isNull());
    EXPECT_EQ(topLevelCount<frmBrowser22>(), 0);
}

TEST_F(HelpWindows, ResizingFollowsTheRightAndBottomEdgesAndSurvivesATinyWindow)
{
    frmBrowser22& browser = openHelp();
    const QPoint browserTopLeft = browser.WB->pos();
    const QPoint boxTopLeft = browser.Combo1->pos();
    EXPECT_EQ(browserTopLeft, QPoint(twips::toPixels(120), twips::toPixels(960)));
    EXPECT_EQ(boxTopLeft, QPoint(twips::toPixels(840), twips::toPixels(600)));

    const auto expectLaidOutFor = [&](int width, int height) {
        const double w = twips::fromPixels(width), hgt = twips::fromPixels(height);
        const double boxBottom = twips::fromPixels(browser.Combo1->height()) + 600;
        EXPECT_EQ(browser.WB->width(), twips::toPixels(w - 100));
        EXPECT_EQ(browser.WB->height(), twips::toPixels(hgt - boxBottom - 100));
        EXPECT_EQ(browser.Combo1->width(), twips::toPixels(w - 840 - 100));
        EXPECT_EQ(browser.WB->pos(), browserTopLeft);
        EXPECT_EQ(browser.Combo1->pos(), boxTopLeft);
        EXPECT_EQ(browser.Toolbar1->width(), width);
    };

    expectLaidOutFor(browser.width(), browser.height());
    browser.resize(900, 640);
    QCoreApplication::processEvents();
    ASSERT_EQ(browser.size(), QSize(900, 640));
    expectLaidOutFor(900, 640);

    // Narrower than the margins: nothing fails and the sizes stay.
    const QSize browserSize = browser.WB->size();
    const QSize boxSize = browser.Combo1->size();
    for (QSize tiny : {QSize(40, 600), QSize(900, 40), QSize(1, 1)}) {
        browser.resize(tiny);
        QCoreApplication::processEvents();
        EXPECT_EQ(browser.WB->size(), browserSize) << tiny.width() << "x" << tiny.height();
        EXPECT_EQ(browser.Combo1->size(), boxSize);
    }
    browser.showMinimized();
    QCoreApplication::processEvents();
    browser.showNormal();
    browser.resize(700, 500);
    QCoreApplication::processEvents();
    expectLaidOutFor(700, 500);
}

TEST_F(HelpWindows, VersionWindowOpensOnceAndOnlyTheNameButtonClosesIt)
{
    h->mnuHelpVersion_Click();
    QPointer<frmVersion> version = h->versionWindow;
    ASSERT_TRUE(version);
    EXPECT_TRUE(version->isVisible());
    EXPECT_EQ(version->windowTitle(), QStringLiteral("Version情報"));
    EXPECT_EQ(version->Label2->text(), QStringLiteral("１９９９．１０．２５"));
    EXPECT_FALSE(version->Image1->pixmap().isNull()) << "the icon";

    h->mnuHelpVersion_Click();
    EXPECT_EQ(h->versionWindow.data(), version.data());
    EXPECT_EQ(topLevelCount<frmVersion>(), 1);

    ASSERT_EQ(version->Command2->text(), QStringLiteral("Ver.4.0"));
    mouseClick(version->Command2);
    runDeferredDeletes();
    ASSERT_TRUE(version) << "\"Ver.4.0\" does nothing";
    EXPECT_TRUE(version->isVisible());

    ASSERT_EQ(version->Command1->text(), QStringLiteral("Sorvanel"));
    mouseClick(version->Command1);
    runDeferredDeletes();
    EXPECT_TRUE(version.isNull());
    EXPECT_TRUE(h->versionWindow.isNull());

    h->mnuHelpVersion_Click();
    EXPECT_TRUE(h->versionWindow) << "made again after it was closed";
}

TEST_F(HelpWindows, ClosingTheMainWindowClosesBothHelpWindows)
{
    openHelp();
    h->mnuHelpVersion_Click();
    ASSERT_TRUE(h->browserWindow && h->versionWindow);
    h->close();
    EXPECT_TRUE(h->browserWindow.isNull());
    EXPECT_TRUE(h->versionWindow.isNull());
    EXPECT_EQ(topLevelCount<frmBrowser22>() + topLevelCount<frmVersion>(), 0);
}

// ---- real pages through the web engine (two loads in all) ----

namespace {
QString pageText(QWebEnginePage* page)
{
    QString text;
    bool done = false;
    page->toPlainText([&](const QString& result) {
        text = result;
        done = true;
    });
    waitFor([&] { return done; }, 10000);
    return text;
}

bool waitForLoad(QWebEngineView* view, bool* ok)
{
    bool finished = false;
    const auto connection = QObject::connect(view, &QWebEngineView::loadFinished, [&](bool result) {
        finished = true;
        *ok = result;
    });
    waitFor([&] { return finished; }, 30000);
    QObject::disconnect(connection);
    return finished;
}
} // namespace

TEST(HelpPageInTheEngine, HelpMenuShowsTheRenderedPageAndAMissingPageShowsTheEnginesOwnError)
{
    ASSERT_TRUE(WebBrowser::loadPages());
    MainWindowHarness withPage;
    ASSERT_TRUE(QFile::copy(QStringLiteral(SORVAN_PROGRAM_DIR "/Trevixhelp.htm"),
                            withPage.inProgramFolder(QStringLiteral("Trevixhelp.htm"))));
    withPage->mnuHelpHtm_Click();
    QWebEngineView* view = withPage->browserWindow->WB->view();
    ASSERT_NE(view, nullptr);
    bool ok = false;
    ASSERT_TRUE(waitForLoad(view, &ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(withPage.inProgramFolder(QStringLiteral("Trevixhelp.htm"))));
    const QString text = pageText(view->page());
    EXPECT_TRUE(text.contains(QStringLiteral("HELPを開く"))) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("リストファイル")));
    delete withPage->browserWindow.data();

    MainWindowHarness withoutPage;
    withoutPage->mnuHelpHtm_Click();
    frmBrowser22* browser = withoutPage->browserWindow;
    ASSERT_TRUE(waitForLoad(browser->WB->view(), &ok));
    EXPECT_FALSE(ok);
    EXPECT_TRUE(withoutPage->browserWindow && browser->isVisible()) << "the window stays";
    EXPECT_EQ(browser->addressText(), withoutPage->MyPath() + QStringLiteral("Trevixhelp.htm"));
    EXPECT_TRUE(withoutPage.messages.shown.isEmpty()) << "no message of the program's own";
    delete browser;
}

// The help browser window and the version window, through the help menu and
// the windows' own controls. WB's view only keeps the address it is given
// here; the last test loads real pages in the web engine, through the web
// view library as the program loads it.
#include "controls/forms/Twips.h"
#include "help/webview/WebViewLibrary.h"
#include "help/WebBrowser.h"
#include "help/frmBrowser22.h"
#include "help/frmVersion.h"
#include "support/MainWindowHarness.h"
#include "support/WaitFor.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QWebEngineView>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {
// Keys reach the focus widget: for the address box that is the combo box,
// which hands them on to its line edit.
void key(QWidget* widget, Qt::Key code, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
}

void click(QWidget* widget, QPointF at)
{
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void click(QWidget* widget) { click(widget, QRectF(widget->rect()).center()); }

// Closed windows delete themselves once these run.
void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

template <typename W>
int openWindows()
{
    const auto all = QApplication::topLevelWidgets();
    return int(std::count_if(all.begin(), all.end(), [](QWidget* w) { return qobject_cast<W*>(w) != nullptr; }));
}

class HelpWindows : public ::testing::Test {
protected:
    void TearDown() override
    {
        delete h->browserWindow.data();
        delete h->versionWindow.data();
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
    ASSERT_FALSE(QFile::exists(helpPage())) << "asked for even when it does not exist";
    frmBrowser22& browser = openHelp();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_EQ(browser.parentWidget(), nullptr);
    EXPECT_EQ(browser.addressText(), helpPage());
    EXPECT_EQ(browser.WB->requests(), QStringList{helpPage()});

    const QString other = QStringLiteral("https://sorvan.example.org/other.htm");
    browser.setAddressText(other);
    browser.Combo1_KeyPress(13);
    h->mnuHelpHtm_Click();
    EXPECT_EQ(h->browserWindow.data(), &browser);
    EXPECT_EQ(openWindows<frmBrowser22>(), 1);
    EXPECT_EQ(browser.addressText(), helpPage());
    EXPECT_EQ(browser.WB->requests(), (QStringList{helpPage(), other, helpPage()}));
}

TEST_F(HelpWindows, PickedPresetLoadsOnlyOnEnterBackgroundClickOrHelpButton)
{
    frmBrowser22& browser = openHelp();
    ASSERT_EQ(browser.Combo1->count(), 4);
    EXPECT_EQ(browser.Combo1->itemText(0), QStringLiteral("c:\\Program Files\\Sorvanel\\QuentaHelp.htm"));
    const auto pick = [&](int index) {
        browser.Combo1->setCurrentIndex(index);
        emit browser.Combo1->activated(index);
        key(browser.Combo1, Qt::Key_End);
        EXPECT_NE(browser.WB->lastAddress(), browser.Combo1->itemText(index)) << "loaded on picking";
        return browser.Combo1->itemText(index);
    };

    QString address = pick(1);
    key(browser.Combo1, Qt::Key_Return);
    EXPECT_EQ(browser.WB->lastAddress(), address);

    address = pick(2);
    click(browser.Label3);  // the caption is not the background
    EXPECT_NE(browser.WB->lastAddress(), address);
    click(browser.Toolbar1, QPointF(browser.Toolbar1->width() - 4, browser.Toolbar1->height() / 2.0));
    EXPECT_NE(browser.WB->lastAddress(), address) << "the toolbar's empty area is not the background";
    click(&browser, QPointF(browser.width() / 2.0, browser.Combo1->geometry().bottom() + 6));
    EXPECT_EQ(browser.WB->lastAddress(), address);

    address = pick(3);
    ASSERT_EQ(browser.toolbarButton(QStringLiteral("Print"))->text(), QStringLiteral("ヘルプ表示"));
    browser.toolbarButton(QStringLiteral("Print"))->trigger();
    EXPECT_EQ(browser.WB->lastAddress(), address);
    EXPECT_EQ(browser.WB->requests().size(), 4);
}

TEST_F(HelpWindows, TypedTextLoadsAsTypedAndOnlyTheExactExitKeyCloses)
{
    frmBrowser22& browser = openHelp();
    browser.Combo1->lineEdit()->clear();
    for (QChar c : QStringLiteral(" www.example.org/a b "))
        key(browser.Combo1, Qt::Key_unknown, c);
    key(browser.Combo1, Qt::Key_Enter);
    EXPECT_EQ(browser.WB->requests(), (QStringList{helpPage(), QStringLiteral(" www.example.org/a b ")}));
    EXPECT_EQ(browser.Combo1->count(), 4) << "a typed address is not added to the presets";

    for (const char* other : {"print", "exit", "Exit ", ""})
        browser.Toolbar1_ButtonClick(QString::fromLatin1(other));
    runDeferredDeletes();
    ASSERT_TRUE(h->browserWindow);
    EXPECT_EQ(browser.WB->requests().size(), 2);

    ASSERT_EQ(browser.toolbarButton(QStringLiteral("Exit"))->text(), QStringLiteral("戻る"));
    browser.toolbarButton(QStringLiteral("Exit"))->trigger();
    runDeferredDeletes();
    EXPECT_TRUE(h->browserWindow.isNull());
    EXPECT_EQ(openHelp().WB->requests(), QStringList{helpPage()}) << "made again";
}

TEST_F(HelpWindows, EnterLoadsExactlyWhatWasTypedAndTheListStillOffersThePresets)
{
    frmBrowser22& browser = openHelp();
    for (const QString typed : {QStringLiteral("h"), QStringLiteral("HTTPS://WWW.DEBIAN.ORG/"),
                                QStringLiteral("https://ja")}) {
        browser.Combo1->lineEdit()->clear();
        for (QChar c : typed)
            key(browser.Combo1, Qt::Key_unknown, c);
        key(browser.Combo1, Qt::Key_Return);
        EXPECT_EQ(browser.addressText(), typed) << "nothing is completed";
        EXPECT_EQ(browser.WB->lastAddress(), typed);
    }
    ASSERT_EQ(browser.Combo1->count(), 4);
    browser.Combo1->showPopup();
    EXPECT_EQ(browser.Combo1->view()->model()->rowCount(), 4);
    EXPECT_EQ(browser.Combo1->view()->model()->index(3, 0).data().toString(), QStringLiteral("https://www.debian.org/"));
    browser.Combo1->hidePopup();
}

TEST_F(HelpWindows, ResizingAppliesTheMarginsAndATooSmallWindowKeepsTheLastLayout)
{
    frmBrowser22& browser = openHelp();
    const auto expectLayoutFor = [&](int width, int height) {
        const double w = twips::fromPixels(width), ht = twips::fromPixels(height);
        EXPECT_EQ(browser.WB->geometry(),
                  QRect(twips::toPixels(120), twips::toPixels(960), twips::toPixels(w - 100),
                        twips::toPixels(ht - (twips::fromPixels(browser.Combo1->height()) + 600) - 100)));
        EXPECT_EQ(browser.Combo1->pos(), QPoint(twips::toPixels(840), twips::toPixels(600)));
        EXPECT_EQ(browser.Combo1->width(), twips::toPixels(w - 840 - 100));
    };
    expectLayoutFor(browser.width(), browser.height());
    browser.resize(900, 640);
    expectLayoutFor(900, 640);

    const QRect lastBrowser = browser.WB->geometry(), lastBox = browser.Combo1->geometry();
    for (QSize tiny : {QSize(40, 600), QSize(900, 40), QSize(1, 1)}) {
        browser.resize(tiny);
        EXPECT_EQ(browser.WB->geometry(), lastBrowser);
        EXPECT_EQ(browser.Combo1->geometry(), lastBox);
    }
    browser.resize(700, 500);
    expectLayoutFor(700, 500);
}

TEST_F(HelpWindows, VersionWindowOpensOnceAndOnlyTheNameButtonClosesIt)
{
    h->mnuHelpVersion_Click();
    h->mnuHelpVersion_Click();
    QPointer<frmVersion> version = h->versionWindow;
    ASSERT_TRUE(version && version->isVisible());
    EXPECT_EQ(openWindows<frmVersion>(), 1);

    ASSERT_EQ(version->Command2->text(), QStringLiteral("Ver.4.0"));
    click(version->Command2);
    runDeferredDeletes();
    ASSERT_TRUE(version && version->isVisible());

    ASSERT_EQ(version->Command1->text(), QStringLiteral("Sorvanel"));
    click(version->Command1);
    runDeferredDeletes();
    EXPECT_TRUE(version.isNull());
    h->mnuHelpVersion_Click();
    EXPECT_TRUE(h->versionWindow) << "made again";
}

TEST_F(HelpWindows, ClosingTheMainWindowClosesBoth)
{
    openHelp();
    h->mnuHelpVersion_Click();
    h->close();
    runDeferredDeletes();
    EXPECT_TRUE(h->browserWindow.isNull() && h->versionWindow.isNull());
    EXPECT_EQ(openWindows<frmBrowser22>() + openWindows<frmVersion>(), 0);
}

TEST(HelpPageInTheEngine, ShowsTheRenderedPageOrTheEnginesOwnNotFoundPage)
{
    for (bool present : {true, false}) {
        MainWindowHarness h;
        h.webViews = webViewLibrary(QStringLiteral(SORVAN_PROGRAM_DIR));
        if (present)
            ASSERT_TRUE(QFile::copy(QStringLiteral(SORVAN_PROGRAM_DIR "/Trevixhelp.htm"),
                                    h.inProgramFolder(QStringLiteral("Trevixhelp.htm"))));
        h->mnuHelpHtm_Click();
        auto* view = qobject_cast<QWebEngineView*>(h->browserWindow->WB->view());
        ASSERT_NE(view, nullptr) << "the web view library is loaded from the program folder";
        std::optional<bool> loaded;
        QObject::connect(view, &QWebEngineView::loadFinished, [&](bool ok) { loaded = ok; });
        ASSERT_TRUE(waitFor([&] { return loaded.has_value(); }));
        EXPECT_EQ(*loaded, present);
        EXPECT_EQ(view->url(), QUrl::fromLocalFile(h.inProgramFolder(QStringLiteral("Trevixhelp.htm"))));
        if (present) {
            QString text;
            view->page()->toPlainText([&](const QString& result) { text = result; });
            ASSERT_TRUE(waitFor([&] { return !text.isEmpty(); }));
            EXPECT_TRUE(text.contains(QStringLiteral("HELPを開く"))) << text.left(100).toStdString();
        }
        EXPECT_TRUE(h->browserWindow->isVisible() && h.messages.shown.isEmpty()) << "nothing else happens";
        delete h->browserWindow.data();
    }
}

namespace {
// The help window with the program's real web view, showing address.
QWebEngineView* showInEngine(MainWindowHarness& h, const QString& address)
{
    h.webViews = webViewLibrary(QStringLiteral(SORVAN_PROGRAM_DIR));
    h->mnuHelpHtm_Click();
    auto* view = qobject_cast<QWebEngineView*>(h->browserWindow->WB->view());
    if (view) {
        h->browserWindow->setAddressText(address);
        h->browserWindow->NavigateToAddress();
    }
    return view;
}

QVariant evaluate(QWebEngineView* view, const QString& script)
{
    std::optional<QVariant> result;
    view->page()->runJavaScript(script, [&](const QVariant& value) { result = value; });
    return waitFor([&] { return result.has_value(); }) ? *result : QVariant();
}
} // namespace

TEST(HelpPageInTheEngine, EndingWhileAPageShowsItsOwnDialogLeavesTheViewToThatDialog)
{
    MainWindowHarness h;
    ASSERT_NE(showInEngine(h, QStringLiteral("data:text/html,<script>alert(1)</script>")), nullptr);
    bool endedUnderTheDialog = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!endedUnderTheDialog && QApplication::activeModalWidget()) {
            endedUnderTheDialog = true;
            h->mnuEnd_Click();  // as a desktop's Quit, served inside the alert's own event loop
        }
    });
    poll.start(10);
    QTimer never;
    QObject::connect(&never, &QTimer::timeout, qApp, &QCoreApplication::quit);
    never.start(30000);
    QApplication::exec();  // the program's own loop, which the end leaves
    EXPECT_TRUE(endedUnderTheDialog);
    EXPECT_TRUE(h->browserWindow.isNull()) << "the window deleted itself once its dialog was gone";
}

TEST(HelpPageInTheEngine, ALocalPageShowsAndItsScriptsReadNoOtherLocalFile)
{
    MainWindowHarness h;
    h.writeFile(QStringLiteral("other.txt"), "private");
    const QString page = h.writeFile(QStringLiteral("page.htm"), "<html><body><p>shown</p></body></html>");
    QWebEngineView* view = showInEngine(h, page);
    ASSERT_NE(view, nullptr);
    std::optional<bool> loaded;
    QObject::connect(view, &QWebEngineView::loadFinished, [&](bool ok) { loaded = ok; });
    ASSERT_TRUE(waitFor([&] { return loaded.has_value(); }));
    EXPECT_TRUE(*loaded);
    EXPECT_EQ(evaluate(view, QStringLiteral("document.body.innerText")).toString(), QStringLiteral("shown"));
    const QString read = QStringLiteral(
        "(function() { try { const r = new XMLHttpRequest(); r.open('GET', 'other.txt', false); r.send();"
        " return r.responseText; } catch (e) { return 'refused'; } })()");
    EXPECT_EQ(evaluate(view, read).toString(), QStringLiteral("refused"));
    delete h->browserWindow.data();
}

// The help page that the build puts into the program folder: UTF-8, every
// link of its contents leads somewhere, and every menu item of the main
// window is explained under its own caption.
#include "support/MainWindowHarness.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {
QStringList menuCaptions(QWidget* owner)
{
    QStringList captions;
    for (QAction* action : owner->actions()) {
        if (!action->isSeparator() && !action->text().trimmed().isEmpty())
            captions << action->text();
        if (action->menu())
            captions << menuCaptions(action->menu());
    }
    return captions;
}
} // namespace

TEST(HelpPage, IsUtf8LinksInsideItselfAndExplainsEveryMenuItem)
{
    QFile file(QStringLiteral(SORVAN_PROGRAM_DIR "/Trevixhelp.htm"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "not in the program folder";
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString page = utf8(file.readAll());
    ASSERT_FALSE(utf8.hasError());
    EXPECT_TRUE(page.contains(QStringLiteral("<meta charset=\"utf-8\">")));

    const QRegularExpression anchor(QStringLiteral("href=\"#([^\"]*)\""));
    for (const auto& link : anchor.globalMatch(page))
        EXPECT_TRUE(page.contains(QStringLiteral("id=\"%1\"").arg(link.captured(1)))) << link.captured(1).toStdString();

    MainWindowHarness h;
    const QStringList captions = menuCaptions(h->menuBar());
    ASSERT_GE(captions.size(), 20) << "the menu bar was not walked";
    for (const QString& caption : captions)
        EXPECT_TRUE(page.contains(caption)) << caption.toStdString();
    for (const char* topic : {".lst", "CR LF", "CDモード", "Girl2.jpg", "秋田の泥湯.jpg", "ファイルがありません。",
                              "削除ファイルが選択されていません。"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(topic))) << topic;
}

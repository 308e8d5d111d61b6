// The help page that the build puts into the program folder: readable as
// UTF-8, its table of contents leads somewhere, and it explains every menu
// item of the main window under the item's own caption.
#include "support/MainWindowHarness.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {
QString builtHelpPage()
{
    QFile file(QStringLiteral(SORVAN_PROGRAM_DIR "/Trevixhelp.htm"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    return utf8.hasError() ? QString() : text;
}

QStringList menuCaptions(QWidget* menuOwner)
{
    QStringList captions;
    for (QAction* action : menuOwner->actions()) {
        if (action->isSeparator() || action->text().trimmed().isEmpty())
            continue;
        captions << action->text();
        if (QMenu* menu = action->menu())
            captions << menuCaptions(menu);
    }
    return captions;
}
} // namespace

TEST(HelpPage, IsUtf8WithItsCharsetAndEveryInnerLinkHasATarget)
{
    const QString page = builtHelpPage();
    ASSERT_FALSE(page.isEmpty()) << "Trevixhelp.htm missing from the program folder, or not UTF-8";
    EXPECT_TRUE(page.contains(QStringLiteral("<meta charset=\"utf-8\">"), Qt::CaseInsensitive));

    QSet<QString> ids;
    for (const auto& match : QRegularExpression(QStringLiteral("id=\"([^\"]+)\"")).globalMatch(page))
        ids << match.captured(1);
    int links = 0;
    for (const auto& match : QRegularExpression(QStringLiteral("href=\"#([^\"]*)\"")).globalMatch(page)) {
        ++links;
        EXPECT_TRUE(ids.contains(match.captured(1))) << "no target for #" << match.captured(1).toStdString();
    }
    EXPECT_GE(links, 10);
}

TEST(HelpPage, ExplainsEveryMenuItemByItsCaptionAndTheTopicsUsersAskAbout)
{
    const QString page = builtHelpPage();
    ASSERT_FALSE(page.isEmpty());
    MainWindowHarness h;
    const QStringList captions = menuCaptions(h->menuBar());
    ASSERT_GE(captions.size(), 20) << "the menu bar was not walked";
    for (const QString& caption : captions)
        EXPECT_TRUE(page.contains(caption)) << "not explained: " << caption.toStdString();

    // The list file, CD mode, the picture sets and the click cycle.
    for (const char* topic : {".lst", "CR LF", "CDモード", "Girl.jpg", "Girl2.jpg", "コスモス.jpg", "秋田の泥湯.jpg",
                              "10秒", "ファイルがありません", "ファイルがありません。",
                              "削除ファイルが選択されていません。", "Trevixhelp.htm"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(topic))) << "not explained: " << topic;
}

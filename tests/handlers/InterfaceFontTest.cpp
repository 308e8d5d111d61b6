// The fonts the program draws with: a proportional Japanese gothic for the
// menus, captions and status bar; the lists keep their own named face.
#include "main/RealPlatform.h"
#include "controls/forms/ListBox.h"
#include "controls/forms/StatusBar.h"
#include "support/MainWindowHarness.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <gtest/gtest.h>

TEST(InterfaceFont, MenusCaptionsAndStatusBarUseAProportionalJapaneseGothic)
{
    registerJapaneseFontSubstitutes();
    useJapaneseInterfaceFont();
    MainWindowHarness h;
    const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                   QStringLiteral("VL PGothic")};
    for (QWidget* widget : std::initializer_list<QWidget*>{h->menuBar(), h->Label1, h->SB1, h->List2, h->Label2}) {
        const QFontInfo info(widget->font());
        EXPECT_TRUE(proportional.contains(info.family())) << widget->objectName().toStdString() << ": "
                                                          << info.family().toStdString();
        EXPECT_FALSE(info.fixedPitch()) << widget->objectName().toStdString();
        const QFontMetrics metrics(widget->font());
        EXPECT_LT(metrics.horizontalAdvance(QStringLiteral("iiii")), metrics.horizontalAdvance(QStringLiteral("WWWW")))
            << widget->objectName().toStdString() << " is drawn fixed-pitch";
    }
    EXPECT_EQ(h->List2->font().family(), QStringLiteral("ＭＳ Ｐゴシック")) << "the list keeps its named face";
    EXPECT_EQ(h->Label2->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
}

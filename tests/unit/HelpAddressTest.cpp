// Which texts of the help window's address box load as local files; every
// other text reaches the engine as it is.
#include "help/WebAddress.h"

#include <gtest/gtest.h>

TEST(HelpAddress, OnlyFullLocalPathsBecomeFileAddresses)
{
    const QUrl unix = help::addressFor(QStringLiteral("/tmp/音楽 #1/Trevixhelp.htm"));
    EXPECT_EQ(unix.toLocalFile(), QStringLiteral("/tmp/音楽 #1/Trevixhelp.htm")) << "'#' is part of the name";
    const QUrl drive = help::addressFor(QStringLiteral("c:\\Program Files\\Sorvanel\\QuentaHelp.htm"));
    EXPECT_EQ(drive.scheme(), QStringLiteral("file"));
    EXPECT_TRUE(drive.path().endsWith(QStringLiteral("c:/Program Files/Sorvanel/QuentaHelp.htm")));
    const QUrl share = help::addressFor(QStringLiteral("\\\\server\\share\\x.htm"));
    EXPECT_EQ(share.host() + share.path(), QStringLiteral("server/share/x.htm"));

    for (const char* text : {"www.example.org", " https://ja.wikipedia.org/ ", "Trevixhelp.htm",
                             "help\\Trevixhelp.htm", "c:", "1:\\x", "file:///tmp/x.htm", ""}) {
        EXPECT_FALSE(help::isLocalPath(QString::fromUtf8(text))) << text;
        EXPECT_EQ(help::addressFor(QString::fromUtf8(text)), QUrl(QString::fromUtf8(text), QUrl::TolerantMode)) << text;
    }
}

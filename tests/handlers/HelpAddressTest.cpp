// Which texts of the help window's address box load as local files, and that
// every other text reaches the engine as it is.
#include "help/WebAddress.h"

#include <gtest/gtest.h>

using help::addressFor;
using help::isLocalPath;

TEST(HelpAddress, FullPathsOfThisComputerBecomeFileAddresses)
{
    EXPECT_EQ(addressFor(QStringLiteral("/opt/sorvan/Trevixhelp.htm")),
              QUrl(QStringLiteral("file:///opt/sorvan/Trevixhelp.htm")));
    // Blanks, '#' and Japanese names are part of the file name, not of the address.
    const QUrl odd = addressFor(QStringLiteral("/tmp/音楽 #1/Trevixhelp.htm"));
    EXPECT_TRUE(odd.isLocalFile());
    EXPECT_EQ(odd.toLocalFile(), QStringLiteral("/tmp/音楽 #1/Trevixhelp.htm"));
    EXPECT_TRUE(odd.fragment().isEmpty());
}

TEST(HelpAddress, DriveAndSharePathsAreLocalInEitherSlash)
{
    for (const char* text : {"c:\\Program Files\\Sorvanel\\QuentaHelp.htm", "D:/help/x.htm", "z:\\",
                             "\\\\server\\share\\x.htm", "/"})
        EXPECT_TRUE(isLocalPath(QString::fromLatin1(text))) << text;

    const QUrl drive = addressFor(QStringLiteral("c:\\Program Files\\Sorvanel\\QuentaHelp.htm"));
    EXPECT_EQ(drive.scheme(), QStringLiteral("file"));
    EXPECT_TRUE(drive.path().endsWith(QStringLiteral("c:/Program Files/Sorvanel/QuentaHelp.htm")))
        << drive.toString().toStdString();
    const QUrl share = addressFor(QStringLiteral("\\\\server\\share\\x.htm"));
    EXPECT_EQ(share.scheme(), QStringLiteral("file"));
    EXPECT_EQ(share.host(), QStringLiteral("server"));
    EXPECT_EQ(share.path(), QStringLiteral("/share/x.htm"));
}

TEST(HelpAddress, EverythingElseIsPassedOnAsTyped)
{
    // No scheme is guessed, nothing is trimmed, relative names stay relative.
    for (const char* text : {"www.example.org", " https://ja.wikipedia.org/ ", "https://www.debian.org/",
                             "Trevixhelp.htm", "help\\Trevixhelp.htm", "c:", "1:\\x", "file:///tmp/x.htm",
                             "about:blank", ""}) {
        const QString typed = QString::fromLatin1(text);
        EXPECT_FALSE(isLocalPath(typed)) << text;
        EXPECT_EQ(addressFor(typed), QUrl(typed, QUrl::TolerantMode)) << text;
    }
    EXPECT_TRUE(addressFor(QStringLiteral("www.example.org")).scheme().isEmpty());
}

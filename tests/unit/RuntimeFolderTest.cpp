// The private folder of the window's socket: $XDG_RUNTIME_DIR, else the
// fallback in the temporary folder, each trusted only when it is this user's
// own real folder with mode 0700; else a fresh folder that no launch shares.
#include "system/RuntimeFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
enum Prepare { Absent, Own0700, Own0755, LinkToOwn0700, Others };

void prepare(const QByteArray& path, Prepare how)
{
    const bool made = how == LinkToOwn0700 ? ::mkdir(path + "-real", 0700) == 0 && ::symlink(path + "-real", path) == 0
                                           : how == Absent || ::mkdir(path, 0700) == 0;
    ASSERT_TRUE(made);
    ASSERT_TRUE(how != Own0755 || ::chmod(path, 0755) == 0);
    ASSERT_TRUE(how != Others || ::chown(path, 65534, 65534) == 0);
}
} // namespace

TEST(RuntimeFolder, OnlyThisUsersOwnRealFolderWithMode0700IsSharedElseAFreshOneStandsAlone)
{
    enum Used { Given, Fallback, Fresh };
    struct Row {
        Prepare given;  // Absent: XDG_RUNTIME_DIR unset
        Prepare fallback;
        Used used;
    };
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    for (const Row& row : {Row{Own0700, Others, Given}, Row{Absent, Absent, Fallback}, Row{Own0755, Own0700, Fallback},
                           Row{LinkToOwn0700, Absent, Fallback}, Row{Others, Absent, Fallback},
                           Row{Absent, Own0755, Fresh}, Row{Absent, LinkToOwn0700, Fresh}, Row{Own0755, Others, Fresh}}) {
        SCOPED_TRACE(testing::Message() << row.given << " " << row.fallback);
        if ((row.given == Others || row.fallback == Others) && ::geteuid() != 0)
            continue;  // only the superuser gives a folder away
        QTemporaryDir temp;
        const QByteArray given = QFile::encodeName(temp.filePath("xdg"));
        const QByteArray fallback = QFile::encodeName(temp.filePath("sorvan-runtime-%1").arg(::getuid()));
        prepare(given, row.given);
        prepare(fallback, row.fallback);
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        if (row.given == Absent)
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", given);

        const sys::RuntimeFolder folder = sys::runtimeFolder();
        EXPECT_EQ(folder.shared, row.used != Fresh);
        if (row.used != Fresh)
            EXPECT_EQ(QFile::encodeName(folder.path), row.used == Given ? given : fallback);
        else
            EXPECT_TRUE(folder.path.startsWith(QFile::decodeName(fallback) + "-")) << folder.path.toStdString();
        EXPECT_TRUE(sys::isPrivateFolder(folder.path, false));
        sys::removeFreshFolder(folder);
        EXPECT_EQ(QFile::exists(folder.path), row.used != Fresh);
    }
    qunsetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", runtime);
}

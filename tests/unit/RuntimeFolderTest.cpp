// The private folder of the window's socket: $XDG_RUNTIME_DIR, else the
// fallback in the temporary folder, each trusted only when it is this user's
// own real folder with mode 0700; else a fresh folder that no launch shares.
#include "system/RuntimeFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(RuntimeFolder, OnlyThisUsersOwnRealFolderWithMode0700IsSharedElseAFreshOneStandsAlone)
{
    enum Prepare { Absent, Own0700, Own0755, LinkToOwn0700, Others };
    enum Used { Given, Fallback, Fresh };
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    for (const auto& [given, fallback, used] : std::initializer_list<std::tuple<Prepare, Prepare, Used>>{
             {Own0700, Others, Given}, {Absent, Absent, Fallback}, {Own0755, Own0700, Fallback},
             {LinkToOwn0700, Absent, Fallback}, {Others, Absent, Fallback}, {Absent, Own0755, Fresh},
             {Absent, LinkToOwn0700, Fresh}, {Own0755, Others, Fresh}}) {
        SCOPED_TRACE(testing::Message() << given << " " << fallback);
        if ((given == Others || fallback == Others) && ::geteuid() != 0)
            continue;  // only the superuser gives a folder away
        QTemporaryDir temp;
        const QByteArray paths[] = {QFile::encodeName(temp.filePath("xdg")),
                                    QFile::encodeName(temp.filePath("sorvan-runtime-%1").arg(::getuid()))};
        for (const auto& [path, how] : {std::pair{paths[0], given}, {paths[1], fallback}}) {
            const bool made = how == LinkToOwn0700 ? ::mkdir(path + "-real", 0700) == 0 && ::symlink(path + "-real", path) == 0
                                                   : how == Absent || ::mkdir(path, 0700) == 0;
            ASSERT_TRUE(made && (how != Own0755 || ::chmod(path, 0755) == 0)
                        && (how != Others || ::chown(path, 65534, 65534) == 0));
        }
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        given == Absent ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", paths[0]);

        const sys::RuntimeFolder folder = sys::runtimeFolder();
        EXPECT_EQ(folder.shared, used != Fresh);
        EXPECT_TRUE(used == Fresh ? folder.path.startsWith(QFile::decodeName(paths[1]) + "-")
                                  : QFile::encodeName(folder.path) == paths[used]) << folder.path.toStdString();
        EXPECT_TRUE(sys::isPrivateFolder(folder.path, false));
        sys::removeFreshFolder(folder);
        EXPECT_EQ(QFile::exists(folder.path), used != Fresh);
    }
    qunsetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", runtime);
}

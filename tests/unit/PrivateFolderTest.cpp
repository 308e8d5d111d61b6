// The runtime folder the program falls back on: trusted only when it is this
// user's own real folder with mode 0700, else a fresh private one is made.
#include "system/SystemCalls.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(PrivateFolder, ThePredictableFolderIsUsedOnlyWhenItIsThisUsersOwnWithMode0700)
{
    enum Prepare { Absent, Own0700, Own0755, LinkToOwn0700, Others };
    for (auto [prepare, used] : {std::pair{Absent, true}, {Own0700, true}, {Own0755, false},
                                 {LinkToOwn0700, false}, {Others, false}}) {
        SCOPED_TRACE(prepare);
        if (prepare == Others && ::geteuid() != 0)
            continue;  // only the superuser gives a folder away
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath("runtime-1000"));
        const QByteArray elsewhere = QFile::encodeName(dir.filePath("elsewhere"));
        if (prepare == LinkToOwn0700)
            ASSERT_TRUE(::mkdir(elsewhere, 0700) == 0 && ::symlink(elsewhere, path) == 0);
        else if (prepare != Absent)
            ASSERT_EQ(::mkdir(path, 0700), 0);
        if (prepare == Own0755)
            ASSERT_EQ(::chmod(path, 0755), 0);
        if (prepare == Others)
            ASSERT_EQ(::chown(path, 65534, 65534), 0);

        const QString folder = sys::privateFolder(QFile::decodeName(path));
        EXPECT_EQ(folder == QFile::decodeName(path), used) << folder.toStdString();
        struct stat status {};
        ASSERT_EQ(::lstat(QFile::encodeName(folder), &status), 0);
        EXPECT_TRUE(S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & 07777) == 0700);
    }
}

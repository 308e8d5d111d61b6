// The runtime folder the program falls back on: trusted only when it is this
// user's own real folder with mode 0700, else a fresh private one is made.
#include "system/SystemCalls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <string_view>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool privateToThisUser(const QString& folder)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode)
           && status.st_uid == ::geteuid() && (status.st_mode & 07777) == 0700;
}
} // namespace

TEST(PrivateFolder, ThePredictableFolderIsUsedOnlyWhenItIsThisUsersOwnWithMode0700)
{
    const struct Row {
        const char* name;
        std::function<bool(const QString& path, const QString& elsewhere)> prepare;
        bool used;
    } rows[] = {
        {"absent: made", [](const QString&, const QString&) { return true; }, true},
        {"own, 0700", [](const QString& p, const QString&) { return ::mkdir(QFile::encodeName(p), 0700) == 0; }, true},
        {"own, 0755", [](const QString& p, const QString&) {
             return ::mkdir(QFile::encodeName(p), 0700) == 0 && ::chmod(QFile::encodeName(p), 0755) == 0; }, false},
        {"a link to an own 0700 folder", [](const QString& p, const QString& elsewhere) {
             return ::mkdir(QFile::encodeName(elsewhere), 0700) == 0 && QFile::link(elsewhere, p); }, false},
        {"another user's", [](const QString& p, const QString&) {
             return ::mkdir(QFile::encodeName(p), 0700) == 0 && ::chown(QFile::encodeName(p), 65534, 65534) == 0; }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.name == std::string_view("another user's") && ::geteuid() != 0)
            continue;  // only the superuser gives a folder away
        QTemporaryDir dir;
        const QString predictable = dir.filePath("runtime-1000");
        if (!row.prepare(predictable, dir.filePath("elsewhere"))) {
            ADD_FAILURE() << "cannot prepare this row here";
            continue;
        }
        const QString folder = sys::privateFolder(predictable);
        EXPECT_EQ(folder == predictable, row.used) << folder.toStdString();
        EXPECT_TRUE(privateToThisUser(folder)) << folder.toStdString();
    }
}

// Later launches handing their files to the first window over the local
// socket: the real socket, a later launch on a thread of its own.
#include "controls/forms/ListBox.h"
#include "desktop/HandOver.h"
#include "desktop/OneWindow.h"
#include "support/MainWindowHarness.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QTemporaryDir>
#include <future>
#include <gtest/gtest.h>

namespace {
struct FirstWindow {
    MainWindowHarness h;
    HandOver handOver{h.form()};
    int raised = 0;
    LaunchListener listener{[this](const QStringList& names) { return handOver.take(names); }, [this] { ++raised; }};
    QTemporaryDir runtime;
    QString socket = runtime.filePath("sorvan.socket");
    one_window::Start start = one_window::handOverOrBeFirst(socket, {}, 2000);

    // A later launch with names: what the window did not take, or nothing
    // when it was made the first itself.
    std::optional<QStringList> launch(const QStringList& names)
    {
        auto later = std::async(std::launch::async, [&] { return one_window::handOverOrBeFirst(socket, names, 5000); });
        waitFor([&] { return later.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000);
        one_window::Start answer = later.get();
        return answer.first ? std::nullopt : std::optional(answer.refused);
    }
};
} // namespace

TEST(OneWindow, LaterLaunchesHandTheirNamesToTheFirstWindow)
{
    FirstWindow first;
    ASSERT_TRUE(first.start.first && first.start.lock);
    ASSERT_TRUE(first.listener.listen(first.socket));
    EXPECT_EQ(QFile::permissions(first.socket) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);
    const QString a = first.h.writeFile("a.wav", "x"), b = first.h.writeFile("sub/b.mid", "x");
    struct Row {
        QStringList names;
        QStringList entries;  // the play list afterwards
        qsizetype refused;
        int raised;
    };
    for (const Row& row : {Row{{a, b}, {a, b}, 0, 0}, Row{{}, {a, b}, 0, 1},
                           Row{{first.h.inProgramFolder("gone.wav"), a}, {a, b, a}, 1, 1}}) {
        SCOPED_TRACE(row.names.join(" ").toStdString());
        const std::optional<QStringList> refused = first.launch(row.names);
        ASSERT_TRUE(refused) << "became a first window of its own";
        EXPECT_EQ(refused->size(), row.refused);
        EXPECT_EQ(first.h->List1->entries(), row.entries);
        EXPECT_EQ(first.raised, row.raised);
    }
}

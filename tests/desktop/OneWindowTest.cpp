// Later launches handing their files to the first window over the local
// socket: the real socket, a later launch on a thread of its own, and
// launches that break the rules written by hand.
#include "controls/forms/ListBox.h"
#include "desktop/HandOver.h"
#include "desktop/LaunchListener.h"
#include "desktop/OneWindow.h"
#include "support/MainWindowHarness.h"
#include "support/SystemCalls.h"
#include "support/WaitFor.h"
#include "system/FileNames.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtEndian>
#include <future>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
struct FirstWindow {
    MainWindowHarness h;
    HandOver handOver{h.form()};
    int raised = 0;
    LaunchListener listener{[this](const QStringList& names) { return handOver.launched(names, [this] { ++raised; }); },
                            nullptr, 1000};
    QTemporaryDir runtime;
    QString socket = one_window::socketName(runtime.path());
    one_window::Start start = one_window::handOverOrBeFirst(socket, {}, 2000);
    FirstWindow() { listener.listen(socket); }

    // A later launch: the lines it prints, or nothing when it was made the
    // first itself. The window has served its request when this returns.
    std::optional<QStringList> launch(const QStringList& names)
    {
        auto later = std::async(std::launch::async, [&] { return one_window::handOverOrBeFirst(socket, names, 5000); });
        waitFor([&] { return later.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000);
        one_window::Start answer = later.get();
        QCoreApplication::processEvents();
        return answer.first ? std::nullopt : std::optional(answer.refused);
    }
};

// A launch written by hand: it sends bytes, and the window answers or closes.
struct Client {
    QLocalSocket socket;
    QByteArray answer;
    Client(const QString& name, const QByteArray& bytes)
    {
        socket.connectToServer(name);
        socket.write(bytes);
        QObject::connect(&socket, &QLocalSocket::readyRead, [this] { answer += socket.readAll(); });
    }
    bool closed() { return waitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; }, 5000); }
};
} // namespace

TEST(OneWindow, LaterLaunchesAreAnsweredAtOnceAndTheirFilesTakenInALaterPass)
{
    FirstWindow first;
    ASSERT_TRUE(first.start.first && first.start.lock && first.listener.isListening());
    EXPECT_EQ(QFile::permissions(first.socket) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);
    const QString a = first.h.writeFile("a.wav", "x"), b = first.h.writeFile("sub/b.mid", "x");
    const QString gone = first.h.inProgramFolder("gone.wav");
    const QString bad = first.h.writeFile("bad.lst", QByteArray("x\0y\r\n", 5));
    const QByteArray latin1 = QFile::encodeName(first.h.inProgramFolder("caf")) + "\xE9.wav";
    const QString cafe = testsys::writeFileWithRawName(latin1, "x") ? sys::nameFromBytes(latin1) : a;
    for (const auto& [names, entries, lines, raised] : std::initializer_list<std::tuple<QStringList, QStringList, QStringList, int>>{
             {{a, b}, {a, b}, {}, 0}, {{}, {a, b}, {}, 1}, {{gone, a}, {a, b, a}, {"sorvan: not found: " + gone}, 1},
             {{bad}, {}, {}, 1}, {{cafe}, {cafe}, {}, 1}}) {
        SCOPED_TRACE(names.join(" ").toStdString());
        EXPECT_EQ(first.launch(names), lines);
        EXPECT_EQ(first.h->List1->entries(), entries);
        EXPECT_EQ(first.raised, raised);
    }
    EXPECT_EQ(first.h.messages.shown.size(), 1) << "the list's message, after the launch had its answer";

    // The message box of a list handed over closes the launch's socket and
    // lets the window's deferred deletions run, as a real box's loop does.
    Client launch(first.socket, launch_frames::messageOf({bad.toUtf8()}));
    ASSERT_TRUE(waitFor([&] { return !launch.answer.isEmpty(); }, 5000));
    launch.socket.write(&launch_frames::kAcknowledge, 1);
    first.h.messages.whileShown = [&] {
        launch.socket.abort();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    EXPECT_TRUE(waitFor([&] { return first.h.messages.shown.size() == 2; }, 5000));
}

TEST(OneWindow, ALaunchThatBreaksTheRulesIsClosedAndLeavesNothingBehind)
{
    FirstWindow first;
    const QString a = first.h.writeFile("a.wav", "x");
    const QByteArray message = launch_frames::messageOf({a.toUtf8()});
    QByteArray gib(4, '\0');
    qToBigEndian(quint32(1u << 30), gib.data());
    for (const auto& [what, bytes, answered] : std::initializer_list<std::tuple<const char*, QByteArray, bool>>{
             {"garbage", QByteArray(100, '\xFF'), false}, {"a 1 GiB frame", gib, false},
             {"nothing, for longer than it may", {}, false}, {"no acknowledgement: it gave up", message, true}}) {
        SCOPED_TRACE(what);
        Client client(first.socket, bytes);
        EXPECT_TRUE(client.closed());
        EXPECT_EQ(!client.answer.isEmpty(), answered);
    }
    std::vector<std::unique_ptr<Client>> idle;
    for (int i = 0; i <= LaunchListener::kMaxLaunches; ++i)
        idle.push_back(std::make_unique<Client>(first.socket, QByteArray()));
    EXPECT_TRUE(idle.front()->closed()) << "the oldest goes for the seventeenth";
    EXPECT_EQ(first.listener.launches(), LaunchListener::kMaxLaunches);

    // Another user's launch, where one can be had: closed unanswered.
    QFile::setPermissions(first.runtime.path(), QFile::ExeOther | QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(first.socket, QFile::WriteOther | QFile::ReadOther | QFile::WriteOwner | QFile::ReadOwner);
    const QByteArray path = QFile::encodeName(first.socket);
    auto other = std::async(std::launch::async, [&] {
        return testsys::runUnprivileged([&] {
            sockaddr_un address{AF_UNIX, {}};
            ::memcpy(address.sun_path, path.constData(), size_t(path.size()));
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
                ::_exit(2);
            char answer = 0;
            return (::write(fd, message.constData(), size_t(message.size())) == message.size() && ::read(fd, &answer, 1) <= 0)
                || ::write(fd, &launch_frames::kAcknowledge, 1) < 0;
        });
    });
    waitFor([&] { return other.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000);
    EXPECT_TRUE(other.get().value_or(true));

    // Out of descriptors, Qt closes the server without a word; it listens again.
    idle.clear();
    Client waiting(first.socket, QByteArray());
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    const rlim_t saved = std::exchange(limit.rlim_cur, std::min<rlim_t>(limit.rlim_cur, 1024));
    ::setrlimit(RLIMIT_NOFILE, &limit);
    std::vector<int> taken;
    for (int fd = ::dup(0); fd >= 0; fd = ::dup(0))
        taken.push_back(fd);
    EXPECT_TRUE(waitFor([&] { return !first.listener.isListening(); }, 3000)) << "the test lost its point";
    for (int fd : taken)
        ::close(fd);
    limit.rlim_cur = saved;
    ::setrlimit(RLIMIT_NOFILE, &limit);
    EXPECT_TRUE(waitFor([&] { return first.listener.isListening(); }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(first.h->List1->ListCount(), 0) << "nothing taken from any of them";

    // With the queue full a launch is told so; later it is taken.
    first.h.dialogs.whileOpen = [&] {
        while (first.handOver.requests().run([] {}))
            ;
        EXPECT_EQ(first.launch({a}), QStringList{"sorvan: the running window has too many requests waiting; "
                                                 "nothing was handed over"});
    };
    first.h->mnuFileOpen_Click();
    EXPECT_EQ(first.launch({a}), QStringList());
    EXPECT_EQ(first.h->List1->entries(), QStringList{a});
}

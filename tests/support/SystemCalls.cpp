#include "support/SystemCalls.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testsys {
#ifdef Q_OS_WIN
bool makeFifo(const QString&) { return false; }
bool isFifo(const QString&) { return false; }
bool writeFileWithRawName(const QByteArray&, const QByteArray&) { return false; }
FileSizeLimit::FileSizeLimit(qint64) {}
FileSizeLimit::~FileSizeLimit() = default;
KilledChild runKilledAtCheckpoint(const std::function<void(const std::function<void()>&)>&, bool) { return {}; }
std::optional<bool> runUnprivileged(const std::function<bool()>&) { return std::nullopt; }
#else
bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool isFifo(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool writeFileWithRawName(const QByteArray& rawName, const QByteArray& bytes)
{
    const int fd = ::open(rawName.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit saved{};
    if (::getrlimit(RLIMIT_FSIZE, &saved) != 0)
        return;
    m_saved = qint64(saved.rlim_cur);
    // Past the limit a write fails with EFBIG instead of killing the process.
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = rlim_t(bytes);
    m_active = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_saved);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_savedHandler ? m_savedHandler : SIG_DFL);
}

namespace {
// In a child: gives up the superuser's rights, or ends the child with 2.
void becomeUnprivileged()
{
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
        ::_exit(2);
}
} // namespace

std::optional<bool> runUnprivileged(const std::function<bool()>& work)
{
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        becomeUnprivileged();
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

KilledChild runKilledAtCheckpoint(const std::function<void(const std::function<void()>& reached)>& work,
                                  bool unprivileged)
{
    KilledChild result;
    int there[2];
    int never[2];
    if (::pipe(there) != 0)
        return result;
    if (::pipe(never) != 0) {
        ::close(there[0]);
        ::close(there[1]);
        return result;
    }
    result.supported = true;
    const pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged)
            becomeUnprivileged();
        work([&] {
            char c = 'r';
            if (::write(there[1], &c, 1) != 1)
                ::_exit(3);
            (void)::read(never[0], &c, 1);
            ::_exit(4);
        });
        ::_exit(5);
    }
    if (child > 0) {
        ::close(there[1]);
        char c = 0;
        result.reached = ::read(there[0], &c, 1) == 1;
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        result.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        result.supported = !(WIFEXITED(status) && WEXITSTATUS(status) == 2);
    } else {
        ::close(there[1]);
    }
    for (int fd : {there[0], never[0], never[1]})
        ::close(fd);
    return result;
}
#endif
} // namespace testsys

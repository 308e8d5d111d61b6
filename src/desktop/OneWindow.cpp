#include "desktop/OneWindow.h"

#include "desktop/Refusals.h"
#include "system/FileNames.h"
#include "system/LocalPeer.h"
#include "system/SystemCalls.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace {
constexpr int kRetryMs = 20;

QString lockPath(const QString& socket)
{
#ifdef Q_OS_WIN
    return QDir::tempPath() + QLatin1Char('/') + socket + QStringLiteral(".lock");
#else
    return socket + QStringLiteral(".lock");
#endif
}

int remaining(const QDeadlineTimer& deadline)
{
    return int(qMax<qint64>(0, deadline.remainingTime()));
}
} // namespace

namespace one_window {

QString socketName(const QString& runtimeFolder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(runtimeFolder);
    return QStringLiteral("sorvan-") + sys::userKey();
#else
    return runtimeFolder + QStringLiteral("/sorvan.socket");
#endif
}

QStringList keepWhatTravels(QStringList& names)
{
    QStringList lines;
    QStringList kept;
    for (const QString& name : std::as_const(names)) {
        if (sys::bytesOfName(name).size() > launch_frames::kMaxNameBytes)
            lines << refusalLine(Refusal::TooLong, name.left(64) + QStringLiteral("…"));
        else
            kept << name;
    }
    qsizetype travel = 0;
    qsizetype bytes = 0;
    while (travel < kept.size() && travel < launch_frames::kMaxNames) {
        bytes += 4 + sys::bytesOfName(kept[travel]).size();
        if (bytes > launch_frames::kMaxNamesBytes)
            break;
        ++travel;
    }
    if (travel < kept.size()) {
        lines << QStringLiteral("sorvan: at most %1 names (%2 MiB) are taken at once; the last %3 are not")
                     .arg(launch_frames::kMaxNames)
                     .arg(launch_frames::kMaxNamesBytes >> 20)
                     .arg(kept.size() - travel);
        kept.resize(travel);
    }
    names = kept;
    return lines;
}

std::optional<launch_frames::Answer> sendToRunningWindow(const QString& socket, const QStringList& names,
                                                         int timeoutMs)
{
    using launch_frames::Status;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket window;
    window.connectToServer(socket);
    if (!window.waitForConnected(remaining(deadline)) || !sys::peerIsThisUser(window.socketDescriptor()))
        return std::nullopt;
    QList<QByteArray> bytes;
    for (const QString& name : names)
        bytes << sys::bytesOfName(name);
    window.write(launch_frames::messageOf(bytes));
    while (window.bytesToWrite() > 0) {
        if (!window.waitForBytesWritten(remaining(deadline)))
            return std::nullopt;
    }
    launch_frames::AnswerReader reader(names.size());
    Status status = Status::More;
    while (status == Status::More) {
        if (window.bytesAvailable() == 0 && !window.waitForReadyRead(remaining(deadline)))
            return std::nullopt;
        status = reader.feed(window.read(launch_frames::kReadChunk));
    }
    // Given up, or an answer that breaks the rules: no acknowledgement, so
    // the window takes nothing.
    if (status != Status::Done || deadline.hasExpired())
        return std::nullopt;
    if (!reader.answer().full) {
        window.write(&launch_frames::kAcknowledge, 1);
        if (!window.waitForBytesWritten(remaining(deadline)))
            return std::nullopt;
    }
    window.disconnectFromServer();
    return reader.answer();
}

QStringList linesOf(const launch_frames::Answer& answer, const QStringList& names)
{
    if (answer.full)
        return {QStringLiteral("sorvan: the running window has too many requests waiting; nothing was handed over")};
    QStringList lines;
    for (const launch_frames::Answer::Refused& refused : answer.refused) {
        const QString& name = names.at(refused.position);
        const std::optional<Refusal> why = refusalOfCode(refused.reason);
        lines << (why ? refusalLine(*why, name) : QStringLiteral("sorvan: not taken: %1").arg(name));
    }
    return lines;
}

Start handOverOrBeFirst(const QString& socket, const QStringList& names, int timeoutMs)
{
    auto lock = std::make_unique<QLockFile>(lockPath(socket));
    // Held for the life of the first window: only a lock whose process is
    // gone is stale.
    lock->setStaleLockTime(0);
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (std::optional<launch_frames::Answer> answer = sendToRunningWindow(socket, names, remaining(deadline))) {
            Start start;
            start.refused = linesOf(*answer, names);
            start.full = answer->full;
            return start;
        }
        if (lock->tryLock(0))
            return {true, std::move(lock), {}};
        // Another launch won and is not listening yet, or the window is busy
        // with other launches.
        QThread::msleep(kRetryMs);
    } while (!deadline.hasExpired());
    // The lock's holder never answered: a window of its own, without the
    // socket that holder may yet make.
    return {true, nullptr, {}};
}

} // namespace one_window

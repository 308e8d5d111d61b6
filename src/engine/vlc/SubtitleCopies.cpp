#include "engine/vlc/SubtitleCopies.h"

#include "engine/vlc/SubtitleFiles.h"
#include "engine/vlc/SubtitleText.h"
#include "system/FileNames.h"
#include "system/RegularFile.h"
#include "system/RuntimeFolder.h"
#include "system/SystemCalls.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <mutex>

namespace {

// The copy folders that exist now; the ones left when the application
// object goes are removed then. Never destroyed itself, so that a worker that
// lets go of a folder after that still finds it.
struct LiveCopyFolders {
    std::mutex mutex;
    QStringList paths;
};

LiveCopyFolders& liveCopyFolders()
{
    static auto* live = new LiveCopyFolders;
    return *live;
}

void removeLiveCopyFolders()
{
    LiveCopyFolders& live = liveCopyFolders();
    std::lock_guard lock(live.mutex);
    for (const QString& path : std::exchange(live.paths, {}))
        QDir(path).removeRecursively();
}

// The file's first bytes, one more than kMaxSubtitleBytes at most, so that
// a longer file shows; nothing for what is not a regular readable file.
std::optional<QByteArray> readSubtitleHead(const QString& path)
{
    sys::RegularFile in(path);
    if (!in.isOpen())
        return std::nullopt;
    QByteArray bytes(std::min<qint64>(in.size(), kMaxSubtitleBytes) + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const qint64 n = in.read(bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

// Writes the copy of file number n as <folder>/<n>/<its name>.
QString writeSubtitleCopy(const SubtitleCopyFolder& folder, int n, const QString& name, const QByteArray& utf8)
{
    const QString sub = folder.path() + QLatin1Char('/') + QString::number(n);
    if (!QDir().mkpath(sub))
        return {};
    QFile out(sub + QLatin1Char('/') + name);
    if (!out.open(QIODevice::WriteOnly) || out.write(utf8) != utf8.size() || !out.flush())
        return {};
    return out.fileName();
}

QString nameLanguageOf(const QString& name)
{
    const QStringList parts = name.split(QLatin1Char('.'));
    return parts.size() >= 3 ? parts.at(parts.size() - 2) : QString();
}

} // namespace

SubtitleCopyFolder::SubtitleCopyFolder(const QString& parent) : m_dir(parent + QStringLiteral("/XXXXXX"))
{
    if (!m_dir.isValid())
        return;
    static std::once_flag once;
    std::call_once(once, [] { qAddPostRoutine(removeLiveCopyFolders); });
    LiveCopyFolders& live = liveCopyFolders();
    std::lock_guard lock(live.mutex);
    live.paths.append(m_dir.path());
}

SubtitleCopyFolder::~SubtitleCopyFolder()
{
    LiveCopyFolders& live = liveCopyFolders();
    std::lock_guard lock(live.mutex);
    live.paths.removeOne(m_dir.path());
}

QString subtitleCopyFolder()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    const QString folder = runtime + QStringLiteral("/sorvan-subtitles-") + sys::userKey();
    return sys::isPrivateFolder(folder, true) ? folder : QString();
}

QByteArray fileUriOf(const QString& path)
{
#ifdef Q_OS_WIN
    return QUrl::fromLocalFile(path).toEncoded();
#else
    return "file://" + sys::bytesOfName(path).toPercentEncoding("/");
#endif
}

PreparedSubtitles prepareSubtitles(const QString& videoPath)
{
    PreparedSubtitles prepared;
    const QList<SubtitleFile> files = findSubtitleFiles(videoPath);
    for (int n = 0; n < files.size(); ++n) {
        const SubtitleFile& file = files.at(n);
        const std::optional<QByteArray> head = readSubtitleHead(file.path);
        if (!head)
            continue;
        const bool whole = head->size() <= kMaxSubtitleBytes;
        const SubtitleJudgement judged =
            judgeSubtitle(QByteArrayView(*head).first(std::min(head->size(), kMaxSubtitleBytes)), whole);
        if (judged.way == SubtitleJudgement::Way::LeftOut)
            continue;
        QString handed = file.path;
        if (judged.way == SubtitleJudgement::Way::Utf8Copy) {
            if (!prepared.copies) {
                const QString folder = subtitleCopyFolder();
                if (folder.isEmpty())
                    continue;
                prepared.copies = std::make_shared<SubtitleCopyFolder>(folder);
            }
            if (!prepared.copies->isValid())
                continue;
            handed = writeSubtitleCopy(*prepared.copies, n, QFileInfo(file.path).fileName(), judged.copy);
            if (handed.isEmpty())
                continue;
        }
        const QString name = QFileInfo(handed).fileName();
        prepared.files.append({fileUriOf(handed), file.language, nameLanguageOf(name)});
    }
    return prepared;
}

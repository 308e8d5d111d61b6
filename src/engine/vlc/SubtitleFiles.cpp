#include "engine/vlc/SubtitleFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

const QLatin1String kSubtitleEndings[] = {
    QLatin1String("srt"), QLatin1String("ass"), QLatin1String("ssa"), QLatin1String("smi"), QLatin1String("sub"),
};

// Files of a language part that a Japanese reader looks for first.
bool isJapanesePart(const QString& language)
{
    const QString part = language.toLower();
    return part == QLatin1String("ja") || part == QLatin1String("jp") || part == QLatin1String("jpn")
        || part == QLatin1String("japanese") || part.startsWith(QLatin1String("ja-"))
        || part.startsWith(QLatin1String("ja_"));
}

int offerRank(const SubtitleFile& file)
{
    if (file.language.isEmpty())
        return 0;
    return isJapanesePart(file.language) ? 1 : 2;
}

} // namespace

bool isSubtitleOf(QStringView videoBase, QStringView fileName, QString* language)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (videoBase.isEmpty() || dot < 0)
        return false;
    const QStringView ending = fileName.sliced(dot + 1);
    if (std::none_of(std::begin(kSubtitleEndings), std::end(kSubtitleEndings),
                     [ending](QLatin1String e) { return ending.compare(e, Qt::CaseInsensitive) == 0; }))
        return false;
    const QStringView stem = fileName.first(dot);
    if (!stem.startsWith(videoBase, Qt::CaseInsensitive))
        return false;
    const QStringView rest = stem.sliced(videoBase.size());
    if (rest.isEmpty()) {
        language->clear();
        return true;
    }
    // One part after a dot, and no more.
    if (rest.size() < 2 || rest.front() != QLatin1Char('.') || rest.sliced(1).contains(QLatin1Char('.')))
        return false;
    *language = rest.sliced(1).toString();
    return true;
}

QList<SubtitleFile> findSubtitleFiles(const QString& videoPath)
{
    const QFileInfo video(videoPath);
    const QString base = video.completeBaseName();
    const QDir beside = video.dir();
    struct Found {
        SubtitleFile file;
        int folder;
    };
    QList<Found> found;
    QSet<QString> seenFolders;  // "subs" and "Subs" are one folder where case does not count
    const QString folders[] = {beside.path(), beside.filePath(QStringLiteral("subs")),
                               beside.filePath(QStringLiteral("Subs"))};
    for (int i = 0; i < 3; ++i) {
        const QString canonical = QFileInfo(folders[i]).canonicalFilePath();
        if (canonical.isEmpty() || seenFolders.contains(canonical))
            continue;
        seenFolders.insert(canonical);
        const QFileInfoList entries = QDir(folders[i]).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QFileInfo& entry : entries) {
            QString language;
            if (isSubtitleOf(base, entry.fileName(), &language) && entry != video)
                found.append({{entry.filePath(), language}, i});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        const int rankA = offerRank(a.file), rankB = offerRank(b.file);
        if (rankA != rankB)
            return rankA < rankB;
        if (a.folder != b.folder)
            return a.folder < b.folder;
        return a.file.language.compare(b.file.language, Qt::CaseInsensitive) < 0;
    });
    QList<SubtitleFile> files;
    for (const Found& f : found.first(std::min<qsizetype>(found.size(), kMaxSubtitleFiles)))
        files.append(f.file);
    return files;
}

#pragma once
// The subtitle files that belong to a video: named like the video, with or
// without a language part ("movie.srt" and "movie.ja.srt" for "movie.avi"),
// lying beside it or in a "subs" or "Subs" folder beside it, and ending in
// .srt, .ass, .ssa, .smi or .sub. Whether a file is text is judged when it
// is read (SubtitleText.h), not here.

#include <QList>
#include <QString>
#include <QStringView>

struct SubtitleFile {
    QString path;
    QString language;  // the part between the video's name and the ending; may be empty
    bool operator==(const SubtitleFile&) const = default;
};

// More than this many files of one video are not offered.
inline constexpr int kMaxSubtitleFiles = 16;

// Whether fileName is a subtitle of a video whose name, without its ending,
// is videoBase (letter case aside, as files copied from other systems
// have it); its language part, if any, goes to *language.
bool isSubtitleOf(QStringView videoBase, QStringView fileName, QString* language);

// The subtitle files of the video at videoPath, in the order they are
// offered: files without a language part first, then Japanese ones, then
// the rest by language; in each, beside the video before the folders.
QList<SubtitleFile> findSubtitleFiles(const QString& videoPath);

#pragma once
// The subtitle files of one video made ready for libVLC, off the GUI thread:
// found (SubtitleFiles.h), read up to kMaxSubtitleBytes, judged
// (SubtitleText.h), and, where they are not UTF-8, copied as UTF-8 into a
// folder of this program's own in the user's private runtime folder. The
// copies keep their file names, so libVLC reads them as it would the files.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>

struct HandedSubtitle {
    QByteArray uri;    // the file address libVLC is given
    QString language;  // the file's language part (SubtitleFile)
    // What libVLC calls the track's language: the part of the handed file's
    // name between its last two dots, whatever the video's name.
    QString nameLanguage;
};

// The folder of one medium's copies, in subtitleCopyFolder(). It goes with
// its last holder (once libVLC has let go of the medium), or with the
// application object if that goes first: when the program ends, an engine's
// worker may still be stopping libVLC, and the process does not wait for it.
class SubtitleCopyFolder {
public:
    explicit SubtitleCopyFolder(const QString& parent);
    ~SubtitleCopyFolder();
    SubtitleCopyFolder(const SubtitleCopyFolder&) = delete;
    SubtitleCopyFolder& operator=(const SubtitleCopyFolder&) = delete;
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

struct PreparedSubtitles {
    QList<HandedSubtitle> files;
    std::shared_ptr<SubtitleCopyFolder> copies;
};

PreparedSubtitles prepareSubtitles(const QString& videoPath);

// The folder that holds the copies of every medium: private to the user,
// in XDG_RUNTIME_DIR (else the temporary folder); empty when none can be had.
QString subtitleCopyFolder();

// A file:// address of path's own bytes.
QByteArray fileUriOf(const QString& path);

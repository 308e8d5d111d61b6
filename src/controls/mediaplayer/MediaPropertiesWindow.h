#pragma once
// The media player's "プロパティ" window: what the file that plays is. File
// name, folder and size come from the file system (no handle is opened);
// length, video size, frame rate and each track's encoding, channels and
// sample rate come from the engine; title, artist, album and copyright from
// the file's tags. What cannot be known stays empty.

#include "engine/MediaEngine.h"
#include "engine/MediaTags.h"

#include <QPointer>
#include <QWidget>

class QFormLayout;
class QLabel;

class MediaPropertiesWindow : public QWidget {
    Q_OBJECT
public:
    explicit MediaPropertiesWindow(MediaEngine* engine, QWidget* parent = nullptr);

    // Shows the file at localPath (the one that now plays) and asks the
    // engine what it knows of it.
    void showFile(const QString& localPath);
    // The file's tags, as the player has read them.
    void showTags(const MediaTags& tags);
    // The medium's length as the player knows it (0: not known yet).
    void setLength(qint64 ms);
    // The text of a field by its caption ("ファイル名", "映像の大きさ", ...);
    // track lines are "トラック 1", "トラック 2", ...
    QString field(const QString& caption) const;

private:
    void showInfo(const MediaInfo& info);
    void setField(const QString& caption, const QString& text);
    void clearTracks();

    QPointer<MediaEngine> m_engine;
    QFormLayout* m_form = nullptr;
    int m_fixedRows = 0;
};

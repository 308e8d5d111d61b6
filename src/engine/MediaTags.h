#pragma once
// What a media file says it is: its title, artist, album and copyright, as
// its tags (ID3, RIFF INFO, MIDI text events, ...) hold them. Read through
// TagLib and small readers of our own in the real program, and through a
// fake in tests.

#include <QString>
#include <memory>

struct MediaTags {
    QString title;
    QString artist;
    QString album;
    QString copyright;

    bool isEmpty() const { return title.isEmpty() && artist.isEmpty() && album.isEmpty() && copyright.isEmpty(); }
    bool operator==(const MediaTags&) const = default;
};

class MediaTagReader {
public:
    // No tag text longer than this is kept.
    static constexpr qsizetype kMaxFieldLength = 1024;

    virtual ~MediaTagReader() = default;
    // The tags of the local file at localPath; empty fields for what the file
    // does not say, or for a file that cannot be read. Reads a bounded part
    // of the file and never waits on a pipe or a device. Blocks: call it off
    // the GUI thread. Safe to call from several threads at once.
    virtual MediaTags read(const QString& localPath) const = 0;
};

using MediaTagReaderPtr = std::shared_ptr<const MediaTagReader>;

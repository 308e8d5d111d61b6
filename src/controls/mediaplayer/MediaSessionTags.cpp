// The media session's tags: read off the GUI thread for each file that is set.
#include "controls/mediaplayer/MediaSession.h"

#include "system/BackgroundTask.h"

void MediaSession::readTags(const QString& localPath)
{
    const quint64 generation = ++m_mediumGeneration;
    if (!m_tags.isEmpty()) {
        m_tags = {};
        emit tagsChanged();
    }
    if (localPath.isEmpty() || !m_tagReader)
        return;
    // The reader bounds what it reads; playback never waits for it, and the
    // tags of a file replaced meanwhile are dropped.
    runInBackground(
        this, [reader = m_tagReader, localPath] { return reader->read(localPath); },
        [this, generation](MediaTags tags) {
            if (generation != m_mediumGeneration || tags.isEmpty())
                return;
            m_tags = std::move(tags);
            emit tagsChanged();
        });
}

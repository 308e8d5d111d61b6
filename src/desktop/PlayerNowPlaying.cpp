#include "desktop/PlayerNowPlaying.h"

#include "app/frmMain.h"
#include "controls/forms/ListBox.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/mediaplayer/PlaybackRates.h"
#include "playback/PathRules.h"
#include "system/FileNames.h"

PlayerNowPlaying::PlayerNowPlaying(frmMain& form, QObject* parent)
    : NowPlaying(parent), m_form(form), m_session(*form.MediaPlayer1->session())
{
    MediaSession* session = &m_session;
    connect(session, &MediaSession::mediumChanged, this, &NowPlaying::changed);
    connect(session, &MediaSession::stateChanged, this, &NowPlaying::changed);
    connect(session, &MediaSession::durationChanged, this, &NowPlaying::changed);
    connect(session, &MediaSession::volumeChanged, this, &NowPlaying::changed);
    connect(session, &MediaSession::rateChanged, this, &NowPlaying::changed);
    connect(session, &MediaSession::tagsChanged, this, &NowPlaying::changed);
    connect(session, &MediaSession::seeked, this, [this](qint64 ms) { emit seeked(ms * 1000); });
    // The play list and the window's mode tell where next is.
    ListBox* list = m_form.List2;
    connect(list, &ListBox::currentRowChanged, this, &NowPlaying::changed);
    connect(list->model(), &QAbstractItemModel::rowsInserted, this, &NowPlaying::changed);
    connect(list->model(), &QAbstractItemModel::rowsRemoved, this, &NowPlaying::changed);
    connect(list->model(), &QAbstractItemModel::modelReset, this, &NowPlaying::changed);
    connect(&m_form, &frmMain::cdModeChanged, this, &NowPlaying::changed);
}

QString PlayerNowPlaying::addressOf(const QString& localPath)
{
    // Every byte but the unreserved ones and the separators is encoded, so
    // that a byte that is no UTF-8 reaches the desktop as it is.
    QByteArray path = sys::bytesOfName(localPath);
    if (!path.startsWith('/'))
        path.prepend('/');  // a drive letter
    return QStringLiteral("file://") + QString::fromLatin1(path.toPercentEncoding("/"));
}

NowPlaying::State PlayerNowPlaying::state() const
{
    if (!m_session.hasMedium())
        return State::Stopped;
    switch (m_session.state()) {
    case MediaEngine::State::Playing:
    case MediaEngine::State::Opening:
        return State::Playing;
    case MediaEngine::State::Paused:
        return State::Paused;
    default:
        return State::Stopped;
    }
}

NowPlaying::Track PlayerNowPlaying::track() const
{
    Track track;
    if (!m_session.hasMedium())
        return track;
    const QString path = m_session.localPath();
    track.present = true;
    track.key = QString::number(m_session.mediumGeneration()) + QLatin1Char('\n') + path;
    // The file's own title, artist and album where its tags hold them; its
    // name otherwise, as the title line shows it.
    const MediaTags tags = m_session.tags();
    track.title = tags.title.isEmpty() ? NameOfPath(m_session.fileName()) : tags.title;
    track.artist = tags.artist;
    track.album = tags.album;
    track.url = addressOf(path);
    track.lengthUs = m_session.duration() * 1000;
    return track;
}

qint64 PlayerNowPlaying::positionUs() const
{
    return m_session.hasMedium() ? m_session.position() * 1000 : 0;
}

double PlayerNowPlaying::volume() const { return m_session.volume() / 100.0; }
double PlayerNowPlaying::rate() const { return m_session.rate(); }
double PlayerNowPlaying::minimumRate() const { return MinimumPlaybackRate(); }
double PlayerNowPlaying::maximumRate() const { return MaximumPlaybackRate(); }

bool PlayerNowPlaying::canPlay() const
{
    return m_session.hasMedium() && m_session.hasFile();
}

bool PlayerNowPlaying::canSeek() const
{
    return canPlay() && m_session.canSeek();
}

bool PlayerNowPlaying::canGoNext() const
{
    return m_form.CanStepList() && m_form.List2->ListIndex() + 1 < m_form.List2->ListCount();
}

bool PlayerNowPlaying::canGoPrevious() const
{
    return m_form.CanStepList() && m_form.List2->ListIndex() > 0;
}

void PlayerNowPlaying::play() { m_session.play(); }
void PlayerNowPlaying::pause() { m_session.pause(); }
void PlayerNowPlaying::stop() { m_session.stop(); }
void PlayerNowPlaying::next() { playListEntry(m_form.List2->ListIndex() + 1); }
void PlayerNowPlaying::previous() { playListEntry(m_form.List2->ListIndex() - 1); }
void PlayerNowPlaying::seekTo(qint64 positionUs) { m_session.seek(positionUs / 1000); }
void PlayerNowPlaying::setVolume(double volume) { m_session.setVolume(qRound(volume * 100)); }
void PlayerNowPlaying::setRate(double rate) { m_session.setRate(rate); }

void PlayerNowPlaying::playListEntry(int index)
{
    // As a click on the entry.
    m_form.List2->setListIndex(index);
    m_form.List2_Click();
}

#include "desktop/PlayerNowPlaying.h"

#include "app/frmMain.h"
#include "controls/forms/ListBox.h"
#include "controls/mediaplayer/MediaPlayer.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QUrl>

namespace {
// The speeds the player's context menu offers.
constexpr double kMinimumRate = 0.5;
constexpr double kMaximumRate = 2.0;
} // namespace

PlayerNowPlaying::PlayerNowPlaying(frmMain& form, QObject* parent) : NowPlaying(parent), m_form(form)
{
    MediaPlayer* player = m_form.MediaPlayer1;
    connect(player, &MediaPlayer::fileNameChanged, this, &NowPlaying::changed);
    connect(player, &MediaPlayer::engineStateChanged, this, &NowPlaying::changed);
    connect(player, &MediaPlayer::durationChanged, this, &NowPlaying::changed);
    connect(player, &MediaPlayer::volumeChanged, this, &NowPlaying::changed);
    connect(player, &MediaPlayer::rateChanged, this, &NowPlaying::changed);
    connect(player, &MediaPlayer::tagsChanged, this, &NowPlaying::changed);
    connect(player, &MediaPlayer::seeked, this, [this](qint64 ms) { emit seeked(ms * 1000); });
    // The title line changes only with the medium or a click on the play
    // list; the play list and the file menu (off while a handler or another
    // player has the window) tell where next is.
    ListBox* list = m_form.List2;
    connect(list, &ListBox::Click, this, &NowPlaying::changed);
    connect(list, &ListBox::currentRowChanged, this, &NowPlaying::changed);
    connect(list->model(), &QAbstractItemModel::rowsInserted, this, &NowPlaying::changed);
    connect(list->model(), &QAbstractItemModel::rowsRemoved, this, &NowPlaying::changed);
    connect(list->model(), &QAbstractItemModel::modelReset, this, &NowPlaying::changed);
    connect(m_form.mnuFile, &QAction::changed, this, &NowPlaying::changed);
}

bool PlayerNowPlaying::hasMedium() const
{
    // The start sound that stands in for a medium has no title.
    return !m_form.Label2->text().isEmpty() && !m_form.MediaPlayer1->FileName().isEmpty();
}

NowPlaying::State PlayerNowPlaying::state() const
{
    if (!hasMedium())
        return State::Stopped;
    switch (m_form.MediaPlayer1->state()) {
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
    if (!hasMedium())
        return track;
    const MediaPlayer* player = m_form.MediaPlayer1;
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(player->FileName()));
    track.present = true;
    track.key = player->FileName() + QLatin1Char('\n') + m_form.Label2->text();
    // The file's own title, artist and album where its tags hold them; the
    // name on the title line otherwise.
    const MediaTags tags = player->tags();
    track.title = tags.title.isEmpty() ? m_form.Label2->text() : tags.title;
    track.artist = tags.artist;
    track.album = tags.album;
    track.url = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    track.lengthUs = qMax<qint64>(0, player->duration()) * 1000;
    return track;
}

qint64 PlayerNowPlaying::positionUs() const
{
    return hasMedium() ? m_form.MediaPlayer1->position() * 1000 : 0;
}

double PlayerNowPlaying::volume() const { return m_form.MediaPlayer1->volume() / 100.0; }
double PlayerNowPlaying::rate() const { return m_form.MediaPlayer1->rate(); }
double PlayerNowPlaying::minimumRate() const { return kMinimumRate; }
double PlayerNowPlaying::maximumRate() const { return kMaximumRate; }

bool PlayerNowPlaying::canPlay() const
{
    return hasMedium() && m_form.MediaPlayer1->isEnabled();
}

bool PlayerNowPlaying::canSeek() const
{
    return canPlay() && m_form.MediaPlayer1->duration() > 0;
}

bool PlayerNowPlaying::canGoNext() const
{
    return m_form.CanStepList() && m_form.List2->ListIndex() + 1 < m_form.List2->ListCount();
}

bool PlayerNowPlaying::canGoPrevious() const
{
    return m_form.CanStepList() && m_form.List2->ListIndex() > 0;
}

void PlayerNowPlaying::play() { m_form.MediaPlayer1->Play(); }
void PlayerNowPlaying::pause() { m_form.MediaPlayer1->Pause(); }
void PlayerNowPlaying::stop() { m_form.MediaPlayer1->Stop(); }
void PlayerNowPlaying::next() { playListEntry(m_form.List2->ListIndex() + 1); }
void PlayerNowPlaying::previous() { playListEntry(m_form.List2->ListIndex() - 1); }
void PlayerNowPlaying::seekTo(qint64 positionUs) { m_form.MediaPlayer1->seek(positionUs / 1000); }
void PlayerNowPlaying::setVolume(double volume) { m_form.MediaPlayer1->setVolume(qRound(volume * 100)); }
void PlayerNowPlaying::setRate(double rate) { m_form.MediaPlayer1->setRate(rate); }

void PlayerNowPlaying::playListEntry(int index)
{
    // As a click on the entry.
    m_form.List2->setListIndex(index);
    m_form.List2_Click();
}

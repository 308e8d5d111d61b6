#include "desktop/CdNowPlaying.h"

#include "controls/cdplayer/MMControl.h"

namespace {
constexpr qint64 kSectorsPerSecond = 75;
} // namespace

CdNowPlaying::CdNowPlaying(MMControl& control, QObject* parent) : NowPlaying(parent), m_control(control)
{
    // The session tells every open, close, status and track change, a track
    // chosen while stopped too.
    connect(m_control.session(), &CdSession::changed, this, &NowPlaying::changed);
}

NowPlaying::State CdNowPlaying::state() const
{
    switch (m_control.status()) {
    case MMControl::Status::Playing:
        return State::Playing;
    case MMControl::Status::Paused:
        return State::Paused;
    default:
        return State::Stopped;
    }
}

NowPlaying::Track CdNowPlaying::track() const
{
    Track track;
    if (!m_control.isOpen())
        return track;
    const int number = m_control.currentTrack();
    track.present = true;
    track.key = QStringLiteral("cd:%1").arg(number);
    track.title = QStringLiteral("トラック %1").arg(number);
    const QList<CdDrive::Track> tracks = m_control.tracks();
    if (number < 1 || number > tracks.size())
        return track;
    const CdDrive::Track& onDisc = tracks.at(number - 1);
    track.lengthUs = qint64(onDisc.sectorCount) * 1000000 / kSectorsPerSecond;
    // CD-Text, where the disc has it: keyed by the track's number on the disc.
    const CdText text = m_control.cdText();
    const CdText::Track named = text.tracks.value(onDisc.number);
    if (!named.title.isEmpty())
        track.title = named.title;
    track.artist = named.performer.isEmpty() ? text.performer : named.performer;
    track.album = text.album;
    return track;
}

qint64 CdNowPlaying::positionUs() const
{
    return m_control.session()->position() * 1000;
}

bool CdNowPlaying::canPlay() const { return m_control.isOpen(); }

bool CdNowPlaying::canGoNext() const
{
    return m_control.isOpen() && m_control.currentTrack() < m_control.tracks().size();
}

bool CdNowPlaying::canGoPrevious() const
{
    return m_control.isOpen() && m_control.currentTrack() > 1;
}

void CdNowPlaying::play() { m_control.play(); }
void CdNowPlaying::pause() { m_control.pause(); }
void CdNowPlaying::stop() { m_control.stop(); }
void CdNowPlaying::next() { m_control.nextTrack(); }
void CdNowPlaying::previous() { m_control.previousTrack(); }

#include "desktop/mpris/MprisPlayerAdaptor.h"

#include "desktop/mpris/MprisService.h"

#include <QDBusError>

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service)
{
}

QString MprisPlayerAdaptor::playbackStatus() const { return m_service->playbackStatus(); }
QVariantMap MprisPlayerAdaptor::metadata() const { return m_service->metadata(); }
double MprisPlayerAdaptor::volume() const { return m_service->volume(); }
double MprisPlayerAdaptor::rate() const { return m_service->rate(); }
void MprisPlayerAdaptor::setRate(double rate) { m_service->setRate(rate); }
double MprisPlayerAdaptor::minimumRate() const { return m_service->minimumRate(); }
double MprisPlayerAdaptor::maximumRate() const { return m_service->maximumRate(); }
void MprisPlayerAdaptor::setVolume(double volume) { m_service->setVolume(volume); }
qlonglong MprisPlayerAdaptor::position() const { return m_service->positionMicroseconds(); }
bool MprisPlayerAdaptor::canGoNext() const { return m_service->canGoNext(); }
bool MprisPlayerAdaptor::canGoPrevious() const { return m_service->canGoPrevious(); }
bool MprisPlayerAdaptor::canPlay() const { return m_service->canPlay(); }
bool MprisPlayerAdaptor::canPause() const { return m_service->canPause(); }
bool MprisPlayerAdaptor::canSeek() const { return m_service->canSeek(); }

void MprisPlayerAdaptor::answer(bool taken)
{
    if (!taken)
        m_service->answerWithError(QDBusError(QDBusError::LimitsExceeded, MprisService::noRoomText()));
}

void MprisPlayerAdaptor::Next() { answer(m_service->next()); }
void MprisPlayerAdaptor::Previous() { answer(m_service->previous()); }
void MprisPlayerAdaptor::Pause() { answer(m_service->pause()); }
void MprisPlayerAdaptor::PlayPause() { answer(m_service->playPause()); }
void MprisPlayerAdaptor::Stop() { answer(m_service->stop()); }
void MprisPlayerAdaptor::Play() { answer(m_service->play()); }
void MprisPlayerAdaptor::Seek(qlonglong Offset) { answer(m_service->seek(Offset)); }

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    answer(m_service->setPosition(TrackId, Position));
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri)
{
    m_service->answerWithError(m_service->openUri(Uri));
}

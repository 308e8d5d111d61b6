#include "desktop/mpris/MprisRootAdaptor.h"

#include "desktop/MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service)
{
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return MprisService::supportedMimeTypes();
}

void MprisRootAdaptor::Quit()
{
    m_service->quit();
}

void MprisRootAdaptor::Raise()
{
    m_service->raise();
}

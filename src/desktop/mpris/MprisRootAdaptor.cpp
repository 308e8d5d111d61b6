#include "desktop/mpris/MprisRootAdaptor.h"

#include "desktop/mpris/MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service)
{
}

QString MprisRootAdaptor::identity() const { return m_service->identity().identity; }
QString MprisRootAdaptor::desktopEntry() const { return m_service->identity().desktopEntry; }
QStringList MprisRootAdaptor::supportedUriSchemes() const { return m_service->identity().uriSchemes; }
QStringList MprisRootAdaptor::supportedMimeTypes() const { return m_service->identity().mimeTypes; }

void MprisRootAdaptor::Quit()
{
    m_service->quit();
}

void MprisRootAdaptor::Raise()
{
    m_service->raise();
}

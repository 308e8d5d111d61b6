#include "desktop/MprisBinding.h"

#include "app/frmMain.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "desktop/CdNowPlaying.h"
#include "desktop/HandOver.h"
#include "desktop/PlayerNowPlaying.h"

#include <QUrl>

namespace {
MprisIdentity sorvanIdentity()
{
    MprisIdentity identity;
    identity.busName = MprisBinding::serviceName();
    identity.identity = QStringLiteral("Sorvanel");
    identity.desktopEntry = QStringLiteral("sorvan");
    identity.mimeTypes = MprisBinding::supportedMimeTypes();
    identity.uriSchemes = {QStringLiteral("file")};
    identity.trackPrefix = QStringLiteral("/org/sorvan/track");
    return identity;
}
} // namespace

MprisBinding::MprisBinding(frmMain& form, HandOver& handOver, const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_form(form), m_handOver(handOver)
{
    m_player = new PlayerNowPlaying(form, this);
    m_cd = new CdNowPlaying(*form.MMControl1, this);
    m_service = new MprisService(sorvanIdentity(), bus, this);
    m_service->onQuit = [this] {
        // After the reply has left: the same steps as the menu's "終了する".
        QMetaObject::invokeMethod(&m_form, [form = &m_form] { form->mnuEnd_Click(); }, Qt::QueuedConnection);
    };
    m_service->setRequestRunner([requests = &handOver.requests()](std::function<void()> step) {
        requests->run(std::move(step));
    });
    m_service->onOpenUri = [this](const QString& uri) { return openUri(uri); };
    m_service->onRaise = [this] {
        m_form.show();
        m_form.raise();
        m_form.activateWindow();
    };
    connect(&form, &frmMain::cdModeChanged, this, [this] { followMode(); });
    connect(form.MediaPlayer1->session(), &MediaSession::startedToSound, this, [this] { followMode(m_player); });
    connect(form.MMControl1->session(), &CdSession::startedToSound, this, [this] { followMode(m_cd); });
    followMode();
}

MprisBinding::~MprisBinding()
{
    // The service goes first, while the players it reads still live.
    delete m_service;
}

QStringList MprisBinding::supportedMimeTypes()
{
    // mid, wav, mp3, avi, mpeg and mpg, mov: each under its common names.
    return {QStringLiteral("audio/midi"),      QStringLiteral("audio/x-midi"), QStringLiteral("audio/wav"),
            QStringLiteral("audio/x-wav"),     QStringLiteral("audio/mpeg"),   QStringLiteral("video/x-msvideo"),
            QStringLiteral("video/mpeg"),      QStringLiteral("video/quicktime")};
}

QString MprisBinding::openUri(const QString& uri)
{
    if (!QUrl(uri).isLocalFile())
        return QStringLiteral("Only file:// addresses are opened: %1").arg(uri);
    // Missing, not a media or list file, or CD mode: the reasons, one a line.
    return m_handOver.take({uri}).join(QLatin1Char('\n'));
}

void MprisBinding::followMode(NowPlaying* sounded)
{
    if (m_form.mode() == frmMain::Mode::Media)
        m_service->setPlayer(m_player);
    else
        m_service->setPlayer(sounded ? sounded : m_cd);
}

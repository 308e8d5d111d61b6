#include "help/WebBrowser.h"

#include "help/WebAddress.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {
bool g_loadPages = true;

// What the web engine needs from the process before it starts, set here and
// nowhere else, and only when it is needed:
//  - Running as root, the engine's sandbox refuses to start and the engine
//    process exits on the first page; the program's start-up
//    (prepareProcessEnvironment) sets QTWEBENGINE_DISABLE_SANDBOX=1 then.
//  - With no GPU (no DRM render node, as on a server or under Xvfb), or with
//    no real screen at all (the offscreen and minimal platforms), Chromium's
//    GPU process only fails and falls back; --disable-gpu makes it draw in
//    software from the start.
// A value the user put into QTWEBENGINE_CHROMIUM_FLAGS is kept.
void prepareWebEngine()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;

    bool noGpu = false;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        noGpu = true;
#ifdef Q_OS_LINUX
    if (!QFileInfo::exists(QStringLiteral("/dev/dri/renderD128")))
        noGpu = true;
#endif
    if (!noGpu)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--disable-gpu"))
        return;
    if (!flags.isEmpty())
        flags += ' ';
    flags += "--disable-gpu";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}
} // namespace

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (g_loadPages) {
        prepareWebEngine();
        m_view = new QWebEngineView(this);
        m_view->setObjectName(QStringLiteral("WBView"));
        layout->addWidget(m_view);
    }
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::Navigate(const QString& address)
{
    m_requests << address;
    if (m_view)
        m_view->load(help::addressFor(address));
}

QUrl WebBrowser::url() const
{
    return m_view ? m_view->url() : QUrl();
}

void WebBrowser::setLoadPages(bool load)
{
    g_loadPages = load;
}

bool WebBrowser::loadPages()
{
    return g_loadPages;
}

#include "help/WebBrowser.h"

#include "help/WebAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLibrary>
#include <QOpenGLContext>
#include <QVBoxLayout>

// Qt GUI's setter of the context that every OpenGL context of the process
// shares; exported by Qt GUI, declared only in its private headers.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {
bool g_loadPages = true;

// The web engine draws through a context shared with the program's windows.
// Qt makes that context at start-up only for programs that ask for it before
// QApplication exists, which would load the OpenGL driver at every start;
// the program makes it here instead, just before the engine's library loads.
void provideSharedOpenGLContext()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
}

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
    provideSharedOpenGLContext();

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
using WebViewMaker = QWidget* (*)(QWidget* parent);

// The web view comes from the library beside the executable (or, in a build
// tree, in the program folder), loaded on first use and kept loaded.
WebViewMaker webViewMaker()
{
    static WebViewMaker maker = [] () -> WebViewMaker {
        const QStringList folders{QCoreApplication::applicationDirPath(), QStringLiteral(SORVAN_BUILD_PROGRAM_DIR)};
        for (const QString& folder : folders) {
            QLibrary library(QDir(folder).filePath(QStringLiteral("sorvan_webview")));
            if (auto make = reinterpret_cast<WebViewMaker>(library.resolve("sorvan_create_web_view")))
                return make;
        }
        return nullptr;
    }();
    return maker;
}
} // namespace

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (g_loadPages) {
        prepareWebEngine();
        if (WebViewMaker make = webViewMaker()) {
            m_view = make(this);
            m_view->setObjectName(QStringLiteral("WBView"));
            layout->addWidget(m_view);
        } else {
            auto* missing = new QLabel(QStringLiteral("ヘルプを表示する部品 (sorvan_webview) が見つかりません。"), this);
            missing->setAlignment(Qt::AlignCenter);
            layout->addWidget(missing);
        }
    }
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::Navigate(const QString& address)
{
    m_requests << address;
    if (m_view)
        m_view->setProperty("url", help::addressFor(address));
}

QUrl WebBrowser::url() const
{
    return m_view ? m_view->property("url").toUrl() : QUrl();
}

void WebBrowser::setLoadPages(bool load)
{
    g_loadPages = load;
}

bool WebBrowser::loadPages()
{
    return g_loadPages;
}

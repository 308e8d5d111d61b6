#include "help/webview/WebViewLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QOpenGLContext>
#include <memory>
#include <optional>

// Qt GUI's setter of the context that every OpenGL context of the process
// shares; exported by Qt GUI, declared only in its private headers.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {
// The web engine draws through a context shared with the program's windows.
// Qt makes that context at start-up only for programs that set
// Qt::AA_ShareOpenGLContexts before QApplication exists, which would load
// the OpenGL driver at every start; Qt offers no public way to provide it
// later, so the program hands it to Qt's own setter here, once, just before
// the engine's library loads. This is the one call into Qt's private API.
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

using CreateWebView = QWidget* (*)(QWidget* parent);
} // namespace

std::function<QWidget*(QWidget* parent)> webViewLibrary(const QString& folder)
{
    // Resolved on the first view; the library stays loaded.
    auto create = std::make_shared<std::optional<CreateWebView>>();
    return [folder, create](QWidget* parent) -> QWidget* {
        if (!create->has_value()) {
            prepareWebEngine();
            QLibrary library(QDir(folder).filePath(QStringLiteral("sorvan_webview")));
            *create = reinterpret_cast<CreateWebView>(library.resolve("sorvan_create_web_view"));
        }
        return **create ? (**create)(parent) : nullptr;
    };
}

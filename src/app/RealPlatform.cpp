#include "app/RealPlatform.h"

#include "controls/CdioDrive.h"
#include "controls/VlcMediaEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

void prepareProcessEnvironment()
{
#ifdef Q_OS_LINUX
    // Video is drawn into a native X11 window; a Wayland session gives none,
    // so the program runs through XWayland there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/sorvan-runtime-%1").arg(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    // The help browser's engine refuses to start as root inside its sandbox.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

void registerJapaneseFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
}

RealPlatform::RealPlatform()
    : m_dialogs(std::make_unique<QtFileDialogs>()),
      m_messages(std::make_unique<QtMessageBoxes>())
{
    m_platform.dialogs = m_dialogs.get();
    m_platform.messages = m_messages.get();
    m_platform.mediaEngines = [] { return makeVlcMediaEngine(); };
    m_platform.cdDrives = [](const QString& device) { return openCdioDrive(device); };
    m_platform.clock = [] { return QDateTime::currentDateTime(); };
    m_platform.programFolder = [] { return QCoreApplication::applicationDirPath(); };
}

RealPlatform::~RealPlatform() = default;

#include "main/RealPlatform.h"

#include "engine/cdio/CdioDrive.h"
#include "engine/tags/TagLibTagReader.h"
#include "help/webview/WebViewLibrary.h"
#include "system/FileNames.h"
#include "system/SystemCalls.h"
#include "engine/vlc/VlcMediaEngine.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QFont>
#include <QSettings>
#include <QStandardPaths>

sys::RuntimeFolder prepareProcessEnvironment()
{
    keepNoSettings();
    const sys::RuntimeFolder runtime = sys::runtimeFolder();
#ifdef Q_OS_LINUX
    // Video is drawn into a native X11 window; a Wayland session gives none,
    // so the program runs through XWayland there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Missing, or not private (another user's after su, open to others): the
    // checked folder stands in for it, for Qt and the libraries as well.
    const QString given = sys::nameFromBytes(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.path.isEmpty() && runtime.path != given)
        qputenv("XDG_RUNTIME_DIR", sys::bytesOfName(runtime.path));
    // The help browser's engine refuses to start as root inside its sandbox.
    if (sys::runningAsSuperuser() && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    return runtime;
}

void keepNoSettings()
{
    // The program keeps nothing between runs, but Qt's own file dialog
    // writes its history to QtProject.conf in the user's settings folder.
    // Settings files go to a folder that cannot be made, so none is written.
    const QString nowhere = QStringLiteral("/dev/null/sorvan-keeps-no-settings");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

QString dialogStartFolder(const QString& programFolder, bool programFolderWritable, const QString& musicFolder,
                          const QString& homeFolder)
{
    if (programFolderWritable)
        return programFolder;
    return musicFolder.isEmpty() ? homeFolder : musicFolder;
}

void registerJapaneseFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
}

void useJapaneseInterfaceFont()
{
    // Left to fontconfig, a Japanese locale gets the fixed-pitch IPAGothic
    // for menus, captions and the status bar. The desktop's Japanese
    // interface font is a proportional gothic, in every locale.
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("VL PGothic")});
    font.setFixedPitch(false);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}

RealPlatform::RealPlatform()
    : m_dialogs(std::make_unique<QtFileDialogs>()),
      m_messages(std::make_unique<QtMessageBoxes>())
{
    m_platform.dialogs = m_dialogs.get();
    m_platform.messages = m_messages.get();
    m_platform.mediaEngines = [] { return makeVlcMediaEngine(); };
    m_platform.tagReader = makeTagLibTagReader();
    m_platform.cdDrives = [](const QString& device) { return openCdioDrive(device); };
    m_platform.clock = [] { return QDateTime::currentDateTime(); };
    m_platform.programFolder = [] { return QCoreApplication::applicationDirPath(); };
    m_platform.dialogFolder = [] {
        const QString program = QCoreApplication::applicationDirPath();
        QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
        if (!QFileInfo(music).isDir())
            music.clear();
        return dialogStartFolder(program, QFileInfo(program).isWritable(), music, QDir::homePath());
    };
    m_platform.webViews = webViewLibrary(QCoreApplication::applicationDirPath());
}

RealPlatform::~RealPlatform() = default;

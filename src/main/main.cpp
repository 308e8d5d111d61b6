// Sorvan: a desktop multimedia player.
#include "app/frmMain.h"
#include "controls/cdplayer/MMControl.h"
#include "desktop/DropTarget.h"
#include "desktop/HandOver.h"
#include "desktop/LaunchListener.h"
#include "desktop/MprisBinding.h"
#include "desktop/OneWindow.h"
#include "main/CommandLine.h"
#include "main/ProcessExit.h"
#include "main/RealPlatform.h"
#include "system/FileNames.h"
#include "system/SystemCalls.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace {
// The folder the user called the program from. The launcher changes into
// the program folder first and passes the caller's folder along.
QString callerFolder()
{
    const QString passed = sys::nameFromBytes(qgetenv("SORVAN_CALLER_FOLDER"));
    qunsetenv("SORVAN_CALLER_FOLDER");
    return passed.isEmpty() ? sys::currentFolder() : passed;
}

// The arguments as the bytes the system gave: a name that is not UTF-8 keeps
// every byte (FileNames.h).
QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << sys::nameFromBytes(argv[i]);
    return arguments;
}

// Ends the program before it starts, for --help, --version or a wrong
// command line.
int answer(const CommandLine& line)
{
    std::FILE* out = line.action == CommandLine::Action::Wrong ? stderr : stdout;
    QString text = line.text;
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    std::fputs(text.toLocal8Bit().constData(), out);
    return exitStatusOf(line.action);
}

// The window and the desktop's ways in, until the window ends.
int runWindow(int& argc, char* argv[], const CommandLine& line, const QString& socket, bool first)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvan"));

    // Japanese captions in Qt's own dialogs and message boxes.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    registerJapaneseFontSubstitutes();
    useJapaneseInterfaceFont();

    RealPlatform platform;
    frmMain window(platform.platform());
    if (!line.cdDevice.isEmpty())
        window.MMControl1->setDevicePath(line.cdDevice);
    window.Form_Load();
    // The desktop's ways in: its player controls and media keys, files
    // dragged from a file manager, and later launches of the program.
    HandOver handOver(window);
    MprisBinding playerControls(window, handOver, MprisService::runningSessionBus());
    DropTarget drops(window, handOver);
    LaunchListener launches([&](const QStringList& names) {
        return handOver.launched(names, [&playerControls] { playerControls.service().raise(); });
    });
    // Without the socket the window still works; it tries again by itself.
    if (first)
        launches.listen(socket);
    window.showAtDesignPlace();
    if (!line.files.isEmpty())
        handOver.take(line.files);
    return QApplication::exec();
}
} // namespace

int main(int argc, char* argv[])
{
    const sys::RuntimeFolder runtime = prepareProcessEnvironment();
    CommandLine line = readCommandLine(argumentsOf(argc, argv), callerFolder());
    if (line.action != CommandLine::Action::Run) {
        sys::removeFreshFolder(runtime);
        return answer(line);
    }
    writeToStandardError(one_window::keepWhatTravels(line.files));
    const QString socket = one_window::socketName(runtime.path);

    // A window of this user's runs already: it takes the files.
    std::unique_ptr<QLockFile> firstWindow;
    if (runtime.shared) {
        QCoreApplication launch(argc, argv);
        one_window::Start start = one_window::handOverOrBeFirst(socket, line.files);
        if (!start.first) {
            if (!line.cdDevice.isEmpty())
                start.refused << QStringLiteral("sorvan: the running window keeps its CD drive: %1").arg(line.cdDevice);
            writeToStandardError(start.refused);
            return start.full ? 1 : 0;
        }
        firstWindow = std::move(start.lock);
    } else {
        writeToStandardError({QStringLiteral("sorvan: no private runtime folder to share (XDG_RUNTIME_DIR and "
                                             "the fallback in the temporary folder are not this user's own with "
                                             "mode 0700): this window stands alone")});
    }

    const int status = runWindow(argc, argv, line, socket, firstWindow != nullptr);
    sys::removeFreshFolder(runtime);
    // The next launch may be the first window now, even while a tag read
    // that was left behind still holds a thread of this process.
    firstWindow.reset();
    return endProcess(status);
}

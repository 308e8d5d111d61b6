// Sorvan: a desktop multimedia player.
#include "app/frmMain.h"
#include "controls/cdplayer/MMControl.h"
#include "desktop/DropTarget.h"
#include "desktop/HandOver.h"
#include "desktop/MprisBinding.h"
#include "desktop/OneWindow.h"
#include "main/CommandLine.h"
#include "main/ProcessExit.h"
#include "main/RealPlatform.h"

#include <QApplication>
#include <QDir>
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
    const QString passed = qEnvironmentVariable("SORVAN_CALLER_FOLDER");
    qunsetenv("SORVAN_CALLER_FOLDER");
    return passed.isEmpty() ? QDir::currentPath() : passed;
}

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
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
int runWindow(int& argc, char* argv[], const CommandLine& line, bool first)
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
    LaunchListener launches([&handOver](const QStringList& names) { return handOver.take(names); },
                            [&playerControls] { playerControls.service().raise(); });
    if (first)
        launches.listen(one_window::socketName());
    window.showAtDesignPlace();
    if (!line.files.isEmpty())
        handOver.take(line.files);
    return QApplication::exec();
}
} // namespace

int main(int argc, char* argv[])
{
    prepareProcessEnvironment();
    const CommandLine line = readCommandLine(argumentsOf(argc, argv), callerFolder());
    if (line.action != CommandLine::Action::Run)
        return answer(line);

    // A window of this user's runs already: it takes the files.
    std::unique_ptr<QLockFile> firstWindow;
    {
        QCoreApplication launch(argc, argv);
        one_window::Start start = one_window::handOverOrBeFirst(one_window::socketName(), line.files);
        if (!start.first) {
            if (!line.cdDevice.isEmpty())
                start.refused << QStringLiteral("sorvan: the running window keeps its CD drive: %1").arg(line.cdDevice);
            writeToStandardError(start.refused);
            return 0;
        }
        firstWindow = std::move(start.lock);
    }

    const int status = runWindow(argc, argv, line, firstWindow != nullptr);
    // The next launch may be the first window now, even while a tag read
    // that was left behind still holds a thread of this process.
    firstWindow.reset();
    return endProcess(status);
}

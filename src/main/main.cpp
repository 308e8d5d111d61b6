// Sorvan: a desktop multimedia player.
#include "app/frmMain.h"
#include "main/RealPlatform.h"
#include "desktop/DropTarget.h"
#include "desktop/MprisBinding.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    prepareProcessEnvironment();
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
    window.Form_Load();
    // The desktop's ways in: its player controls and media keys, and files
    // dragged from a file manager.
    MprisBinding playerControls(window, MprisService::runningSessionBus());
    DropTarget drops(window);
    window.showAtDesignPlace();
    return QApplication::exec();
}

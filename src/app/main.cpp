// Sorvan: a desktop multimedia player.
#include "app/frmMain.h"
#include "app/RealPlatform.h"

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
    window.showAtDesignPlace();
    return QApplication::exec();
}

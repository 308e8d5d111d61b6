#include "main/CommandLine.h"

#include "help/frmVersion.h"
#include "system/FileUrl.h"

#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace {
// Names are joined as text, never looked up: a name that keeps bytes that
// are not UTF-8 (FileNames.h) stays as it is.
QString absoluteName(const QString& name, const QString& caller)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
    if (!scheme.match(name).hasMatch())
        return QDir::cleanPath(QDir::isRelativePath(name) ? caller + QLatin1Char('/') + name : name);
    const QUrl url(name);
    return url.isLocalFile() ? sys::nameOfFileUrl(url) : name;
}
} // namespace

CommandLine readCommandLine(const QStringList& arguments, const QString& callerFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sorvanel: plays music, video and audio CDs from a play list.\n"
                       "Files go to the window that runs already, if there is one."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the name, version and date and ends."));
    const QCommandLineOption cdDevice(QStringLiteral("cd-device"),
                                      QStringLiteral("The CD drive, or a disc image (.cue, .toc, .nrg, .bin), "
                                                     "that CD mode plays."),
                                      QStringLiteral("PATH"));
    parser.addOptions({help, version, cdDevice});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Media files to play and list, or one list file to open."),
                                 QStringLiteral("[FILE…]"));

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.action = CommandLine::Action::Wrong;
        line.text = QStringLiteral("sorvan: %1 (sorvan --help shows the usage)").arg(parser.errorText());
        return line;
    }
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::Help;
        // Qt's first line names the executable; the user types the launcher.
        const QString text = parser.helpText();
        line.text = QStringLiteral("Usage: sorvan [OPTION…] [FILE…]") + text.mid(text.indexOf(QLatin1Char('\n')));
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
        line.text = QStringLiteral("Sorvanel %1 %2\n").arg(frmVersion::versionText(), frmVersion::dateText());
        return line;
    }
    for (const QString& name : parser.positionalArguments())
        line.files << absoluteName(name, callerFolder);
    if (parser.isSet(cdDevice))
        line.cdDevice = absoluteName(parser.value(cdDevice), callerFolder);
    return line;
}

int exitStatusOf(CommandLine::Action action)
{
    return action == CommandLine::Action::Wrong ? 2 : 0;
}

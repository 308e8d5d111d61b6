#include "desktop/HandOver.h"

#include "app/frmMain.h"
#include "desktop/OutsideRequests.h"
#include "playback/PathRules.h"
#include "playlist/formats/ListFormats.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <cstdio>

namespace {
QString refusal(const QString& why, const QString& name)
{
    return QStringLiteral("sorvan: %1: %2").arg(why, name);
}

// A name with a scheme ("file://…", "https://…") is an address.
bool isAddress(const QString& name)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
    return scheme.match(name).hasMatch();
}

enum class Kind { Media, List, LineBreak, Refused };

// The file behind a name, or why there is none to play.
Kind judge(const QString& name, QString& path, QString& why)
{
    // A line break would split the name in a list file.
    if (HoldsLineBreak(name)) {
        why = QStringLiteral("a line break in the name");
        return Kind::LineBreak;
    }
    path = name;
    if (isAddress(name)) {
        const QUrl url(name);
        if (!url.isLocalFile()) {
            why = QStringLiteral("not a local file");
            return Kind::Refused;
        }
        path = url.toLocalFile();
    }
    const QFileInfo file(path);
    if (!file.exists())
        why = QStringLiteral("not found");
    else if (file.isDir())
        why = QStringLiteral("a folder, not a file");
    else if (!file.isFile())
        why = QStringLiteral("not a regular file");
    else if (IsMediaFileName(file.fileName()) || IsListFileName(file.fileName())) {
        path = QDir::toNativeSeparators(file.absoluteFilePath());
        return IsMediaFileName(file.fileName()) ? Kind::Media : Kind::List;
    } else
        why = QStringLiteral("not a media or list file");
    return Kind::Refused;
}
// In CD mode nothing is taken: a line for each file that would have been.
QStringList refusedInCdMode(const HandOver::Sorted& sorted)
{
    QStringList lines;
    for (const QString& path : sorted.mediaFiles + QStringList(sorted.listFile))
        if (!path.isEmpty())
            lines << refusal(QStringLiteral("not taken in CD mode"), path);
    return lines;
}
} // namespace

HandOver::Sorted HandOver::sort(const QStringList& names)
{
    Sorted sorted;
    for (const QString& name : names) {
        QString path;
        QString why;
        switch (judge(name, path, why)) {
        case Kind::Media:
            sorted.mediaFiles << path;
            break;
        case Kind::List:
            if (names.size() == 1)
                sorted.listFile = path;
            else
                sorted.refused << refusal(QStringLiteral("a list file is opened only on its own"), name);
            break;
        case Kind::LineBreak:
            sorted.lineBreakNames << name;
            sorted.refused << refusal(why, name);
            break;
        case Kind::Refused:
            sorted.refused << refusal(why, name);
            break;
        }
    }
    return sorted;
}

HandOver::HandOver(frmMain& form) : m_form(form), m_requests(form) {}

bool HandOver::open() const
{
    return m_form.MayTakeFiles();
}

QStringList HandOver::take(const QStringList& names)
{
    Sorted sorted = sort(names);
    if (!open()) {
        sorted.refused << refusedInCdMode(sorted);
        sorted.mediaFiles.clear();
        sorted.listFile.clear();
        sorted.lineBreakNames.clear();
    }
    writeToStandardError(sorted.refused);
    if (!sorted.isEmpty())
        m_requests.run([this, sorted] { takeNow(sorted); });
    return sorted.refused;
}

void HandOver::takeNow(const Sorted& sorted)
{
    // Judged again: CD mode may have begun while the files waited.
    if (!open())
        return writeToStandardError(refusedInCdMode(sorted));
    if (!sorted.lineBreakNames.isEmpty())
        m_form.admitMediaFileName(sorted.lineBreakNames.front());
    if (!sorted.listFile.isEmpty()) {
        if (!m_form.MayOpenList())
            return writeToStandardError({refusal(QStringLiteral("no list file now"), sorted.listFile)});
        m_form.quietPlayerForListOpen();
        m_form.readOpenedListFile(sorted.listFile);
        return;
    }
    if (sorted.mediaFiles.isEmpty())
        return;
    // The first file as the open dialog's choice; the others join the list
    // behind it, in their order.
    m_form.playOpenedMediaFile(sorted.mediaFiles.front());
    m_form.AddToPlayList(sorted.mediaFiles.mid(1));
}

void writeToStandardError(const QStringList& lines)
{
    for (const QString& line : lines)
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

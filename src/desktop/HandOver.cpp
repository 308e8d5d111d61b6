#include "desktop/HandOver.h"

#include "app/frmMain.h"
#include "playback/PathRules.h"
#include "playlist/formats/ListFormats.h"
#include "system/FileKind.h"
#include "system/FileUrl.h"
#include "system/SystemCalls.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace {
// A name with a scheme ("file://…", "https://…") is an address.
bool isAddress(const QString& name)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
    return scheme.match(name).hasMatch();
}

enum class Kind { Media, List, Refused };

// The file behind a name, or why there is none to play.
Kind judgeName(const QString& name, QString& path, Refusal& why)
{
    // A line break would split the name in a list file.
    why = Refusal::LineBreak;
    if (HoldsLineBreak(name))
        return Kind::Refused;
    path = name;
    if (isAddress(name)) {
        const QUrl url(name);
        path = sys::nameOfFileUrl(url);
        why = url.isLocalFile() ? Refusal::LineBreak : Refusal::NotLocal;
        if (!url.isLocalFile() || HoldsLineBreak(path))
            return Kind::Refused;
    }
    if (QDir::isRelativePath(path))
        path = sys::currentFolder() + QLatin1Char('/') + path;
    path = QDir::toNativeSeparators(QDir::cleanPath(path));
    switch (sys::kindOfFile(path)) {
    case sys::FileKind::Missing:
        why = Refusal::NotFound;
        return Kind::Refused;
    case sys::FileKind::Folder:
        why = Refusal::Folder;
        return Kind::Refused;
    case sys::FileKind::Other:
        why = Refusal::NotRegular;
        return Kind::Refused;
    case sys::FileKind::Regular:
        break;
    }
    const QString fileName = NameOfPath(path);
    if (IsMediaFileName(fileName))
        return Kind::Media;
    if (IsListFileName(fileName))
        return Kind::List;
    why = Refusal::NotMediaOrList;
    return Kind::Refused;
}
} // namespace

qsizetype HandOver::Sorted::files() const
{
    return mediaFiles.size() + (listFile.isEmpty() ? 0 : 1) + lineBreakNames.size();
}

QStringList HandOver::Sorted::lines() const
{
    QStringList lines;
    for (const Refused& refusal : refused)
        lines << refusalLine(refusal.why, refusal.name);
    return lines;
}

HandOver::Sorted HandOver::sort(const QStringList& names)
{
    Sorted sorted;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        QString path;
        Refusal why = Refusal::NotFound;
        switch (judgeName(name, path, why)) {
        case Kind::Media:
            sorted.mediaFiles << path;
            break;
        case Kind::List:
            if (names.size() == 1)
                sorted.listFile = path;
            else
                sorted.refused << Refused{i, Refusal::ListNotAlone, name};
            break;
        case Kind::Refused:
            if (why == Refusal::LineBreak)
                sorted.lineBreakNames << name;
            sorted.refused << Refused{i, why, name};
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

HandOver::Judged HandOver::judge(const QStringList& names) const
{
    Judged judged{sort(names)};
    if (!open()) {
        // In CD mode nothing is taken: every name that would have been is
        // refused for it, in its place.
        QList<Refused> refused;
        qsizetype next = 0;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (next < judged.sorted.refused.size() && judged.sorted.refused[next].position == i)
                refused << judged.sorted.refused[next++];
            else
                refused << Refused{i, Refusal::CdMode, names[i]};
        }
        judged.sorted = Sorted{{}, {}, refused, {}};
    }
    judged.full = !judged.sorted.isEmpty() && !m_requests.hasRoomFor(judged.sorted.files());
    return judged;
}

QString HandOver::fullLine()
{
    return QStringLiteral("sorvan: too many requests are waiting for the window; nothing was taken");
}

HandOver::Taken HandOver::take(const QStringList& names)
{
    const Judged judged = judge(names);
    Taken taken{judged.sorted.lines(), judged.full};
    if (judged.full)
        taken.lines << fullLine();
    else if (!judged.sorted.isEmpty())
        m_requests.push([this, sorted = judged.sorted] { takeNow(sorted); }, judged.sorted.files());
    writeToStandardError(taken.lines);
    return taken;
}

LaunchListener::Verdict HandOver::launched(const QStringList& names, std::function<void()> raise)
{
    if (names.isEmpty()) {
        return {{}, [this, raise = std::move(raise)] {
                    QMetaObject::invokeMethod(&m_form, raise, Qt::QueuedConnection);
                }};
    }
    const Judged judged = judge(names);
    LaunchListener::Verdict verdict;
    verdict.answer.full = judged.full;
    for (const Refused& refusal : judged.sorted.refused)
        verdict.answer.refused << launch_frames::Answer::Refused{quint32(refusal.position), quint8(refusal.why)};
    if (!judged.full && !judged.sorted.isEmpty()) {
        // The room was there when the launch was answered: its files are
        // taken, even when others filled the queue meanwhile.
        verdict.take = [this, sorted = judged.sorted] {
            m_requests.push([this, sorted] { takeNow(sorted); }, sorted.files());
        };
    }
    return verdict;
}

void HandOver::takeNow(const Sorted& sorted)
{
    // Judged again: CD mode may have begun while the files waited.
    if (!open()) {
        QStringList lines;
        for (const QString& path : sorted.mediaFiles + QStringList(sorted.listFile)) {
            if (!path.isEmpty())
                lines << refusalLine(Refusal::CdMode, path);
        }
        return writeToStandardError(lines);
    }
    if (!sorted.lineBreakNames.isEmpty())
        m_form.admitMediaFileName(sorted.lineBreakNames.front());
    if (!sorted.listFile.isEmpty()) {
        if (!m_form.MayOpenList())
            return writeToStandardError({refusalLine(Refusal::NoListNow, sorted.listFile)});
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

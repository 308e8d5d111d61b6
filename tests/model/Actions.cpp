#include "model/Actions.h"

namespace model {

namespace {

const QStringList kAnswers = {"cancel", "good", "missing", "hostile"};

const QStringList& kindNames()
{
    static const QStringList names = {"menu",   "List2 click", "List2 key",   "Image1 click", "Picture2 click",
                                      "Timer1 tick", "close help", "close version", "CD button", "CD vanish"};
    return names;
}

} // namespace

const QStringList& menuItemNames()
{
    static const QStringList names = {
        "mnuFileOpen", "mnuListOpen",   "mnuListNewSave", "mnuListReSave", "mnuListClose",
        "mnuListDelete", "mnuHenAdd",   "mnuCD",          "mnuCDEnd",      "mnuHelpHtm",
        "mnuHelpVersion", "mnuSetJpg",  "mnuSetDft",      "mnuSetNo",      "mnuSep6",
        "mnuSpace",
    };
    return names;
}

const QStringList& listKeyNames()
{
    static const QStringList names = {"Up", "Down", "Home", "End", "PageUp", "PageDown"};
    return names;
}

const QStringList& cdButtonNames()
{
    static const QStringList names = {"previous", "play", "pause", "stop", "next", "eject"};
    return names;
}

QString Action::toString() const
{
    switch (kind) {
    case Kind::Menu:
        return QStringLiteral("%1 %2 %3").arg(item, kAnswers[int(answer)]).arg(value);
    case Kind::ListClick:
        return QStringLiteral("List2 click %1").arg(value);
    case Kind::ListKey:
        return QStringLiteral("List2 key ") + listKeyNames().value(value);
    case Kind::CdButton:
        return QStringLiteral("CD button ") + cdButtonNames().value(value);
    default:
        return kindNames()[int(kind)];
    }
}

std::optional<Action> parseAction(const QString& line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '));
    Action action;
    if (words.size() == 3 && menuItemNames().contains(words[0]) && kAnswers.contains(words[1])) {
        action.kind = Kind::Menu;
        action.item = words[0];
        action.answer = Answer(kAnswers.indexOf(words[1]));
        bool ok = false;
        action.value = words[2].toInt(&ok);
        return ok ? std::optional(action) : std::nullopt;
    }
    const QString head = words.mid(0, 2).join(QLatin1Char(' '));
    const QString last = words.value(2);
    if (head == QLatin1String("List2 click") && words.size() == 3) {
        bool ok = false;
        action.kind = Kind::ListClick;
        action.value = last.toInt(&ok);
        return ok ? std::optional(action) : std::nullopt;
    }
    if (head == QLatin1String("List2 key") && listKeyNames().contains(last)) {
        action.kind = Kind::ListKey;
        action.value = int(listKeyNames().indexOf(last));
        return action;
    }
    if (head == QLatin1String("CD button") && cdButtonNames().contains(last)) {
        action.kind = Kind::CdButton;
        action.value = int(cdButtonNames().indexOf(last));
        return action;
    }
    const qsizetype kind = kindNames().indexOf(line.simplified());
    if (kind < 0 || Kind(kind) == Kind::Menu || Kind(kind) == Kind::ListClick || Kind(kind) == Kind::ListKey
        || Kind(kind) == Kind::CdButton)
        return std::nullopt;
    action.kind = Kind(kind);
    return action;
}

Action Generator::next(int listCount)
{
    Action action;
    const int roll = below(100);
    if (roll < 42) {
        action.kind = Kind::Menu;
        action.item = menuItemNames()[below(int(menuItemNames().size()))];
        const int answer = below(20);
        action.answer = answer < 4 ? Answer::Cancel : answer < 13 ? Answer::Good : answer < 16 ? Answer::Missing
                                                                                               : Answer::Hostile;
        action.value = below(8);
    } else if (roll < 58) {
        action.kind = Kind::ListClick;
        action.value = below(listCount + 3) - 1;  // −1 up to two past the end
    } else if (roll < 68) {
        action.kind = Kind::ListKey;
        action.value = below(int(listKeyNames().size()));
    } else if (roll < 75) {
        action.kind = Kind::ImageClick;
    } else if (roll < 77) {
        action.kind = Kind::BarClick;
    } else if (roll < 88) {
        action.kind = Kind::Tick;
    } else if (roll < 91) {
        action.kind = Kind::CloseHelp;
    } else if (roll < 94) {
        action.kind = Kind::CloseVersion;
    } else if (roll < 99) {
        action.kind = Kind::CdButton;
        action.value = below(int(cdButtonNames().size()));
    } else {
        action.kind = Kind::CdVanish;
    }
    return action;
}

Sequence shrink(const Sequence& failing, const Runner& run)
{
    const Outcome first = run(failing);
    if (first.failedAt < 0)
        return failing;
    Sequence best(failing.begin(), failing.begin() + first.failedAt + 1);
    // Leave out one action at a time, from the end, keeping each cut after
    // which the sequence still fails; repeat until no cut helps.
    for (bool cut = true; cut;) {
        cut = false;
        for (int i = int(best.size()) - 2; i >= 0; --i) {
            Sequence shorter = best;
            shorter.erase(shorter.begin() + i);
            const Outcome outcome = run(shorter);
            if (outcome.failedAt >= 0) {
                best.assign(shorter.begin(), shorter.begin() + outcome.failedAt + 1);
                cut = true;
                i = qMin(i, int(best.size()) - 1);
            }
        }
    }
    return best;
}

QString printSequence(const Sequence& sequence)
{
    QStringList lines;
    for (const Action& action : sequence)
        lines << QStringLiteral("    \"%1\",").arg(action.toString());
    return lines.join(QLatin1Char('\n'));
}

} // namespace model

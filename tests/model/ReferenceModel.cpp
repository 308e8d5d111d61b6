#include "model/ReferenceModel.h"

#include <QDir>

namespace model {

namespace {

const QString kStartSound = QStringLiteral("Start.wav");

// Each menu item's top-level item.
const QMap<QString, QString>& topOf()
{
    static const QMap<QString, QString> tops = {
        {"mnuFileOpen", "mnuFile"},      {"mnuEnd", "mnuFile"},           {"mnuListOpen", "mnuList"},
        {"mnuListNewSave", "mnuList"},   {"mnuListReSave", "mnuList"},    {"mnuListClose", "mnuList"},
        {"mnuListDelete", "mnuHensyu"},  {"mnuHenAdd", "mnuHensyu"},      {"mnuCD", "mnuCdPlayer"},
        {"mnuCDEnd", "mnuCdPlayer"},     {"mnuHelpHtm", "mnuHelp"},       {"mnuHelpVersion", "mnuHelp"},
        {"mnuSetJpg", "mnuSet"},         {"mnuSetDft", "mnuSet"},         {"mnuSetNo", "mnuSet"},
    };
    return tops;
}

} // namespace

ReferenceModel::ReferenceModel()
{
    // Every item is enabled when the window is made; start-up disables these.
    for (const char* item : {"mnuFile", "mnuFileOpen", "mnuEnd", "mnuSpace", "mnuList", "mnuListOpen",
                             "mnuListNewSave", "mnuListReSave", "mnuListClose", "mnuSpace2", "mnuHensyu",
                             "mnuListDelete", "mnuHenAdd", "mnuSpace3", "mnuCdPlayer", "mnuCD", "mnuCDEnd",
                             "mnuSpace4", "mnuHelp", "mnuHelpHtm", "mnuHelpVersion", "mnuSpace5", "mnuSep6",
                             "mnuSet", "mnuSetJpg", "mnuSetDft", "mnuSetNo"})
        enabled[QString::fromLatin1(item)] = true;
    set({"mnuCDEnd", "mnuListReSave", "mnuListNewSave", "mnuListDelete", "mnuListClose"}, false);
    set({"mnuSpace", "mnuSpace2", "mnuSpace3", "mnuSpace4", "mnuSpace5", "mnuSetDft"}, false);
}

void ReferenceModel::set(std::initializer_list<const char*> items, bool on)
{
    for (const char* item : items)
        enabled[QString::fromLatin1(item)] = on;
}

QString ReferenceModel::nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QDir::separator()) + 1);
}

QStringList ReferenceModel::names() const
{
    QStringList result;
    for (const QString& path : list1)
        result << nameOf(path);
    return result;
}

bool ReferenceModel::canChoose(const QString& item) const
{
    const QString top = topOf().value(item, item);
    return enabled.value(item) && enabled.value(top);
}

void ReferenceModel::openMedia(const std::optional<QString>& chosen)
{
    if (!chosen) {
        set({"mnuList", "mnuFileOpen"}, true);
        set({"mnuListNewSave"}, false);
        set({"mnuCdPlayer"}, true);
        return;
    }
    if (chosen->contains(u'\r') || chosen->contains(u'\n')) {
        messages << QStringLiteral("改行を含むファイル名はリストに入れられません。");
        return;  // refused at the door: nothing else changes
    }
    playerVisible = playerEnabled = true;
    cdVisible = false;
    set({"mnuCdPlayer"}, false);
    playerFile = *chosen;
    list1 << *chosen;
    label2 = nameOf(*chosen);
    set({"mnuListNewSave", "mnuListDelete", "mnuListReSave"}, true);
    playFile = label2;
}

void ReferenceModel::pickEntry(int index)
{
    playerVisible = playerEnabled = true;
    label2 = nameOf(list1.value(index));
    listNo = index;
    playFile = list1.value(index);
    playerFile = list1.value(index);
}

void ReferenceModel::openList(const std::optional<QString>& chosen, const std::optional<QStringList>& read)
{
    playerEnabled = true;
    playerFile = kStartSound;
    label2.clear();
    if (!chosen)
        return;
    list1.clear();
    set({"mnuListClose"}, true);
    set({"mnuListReSave"}, false);
    set({"mnuListDelete", "mnuListNewSave"}, true);
    listFileName = panel2 = *chosen;
    if (!read) {
        // The file is read as a whole or not at all: nothing of it is kept.
        messages << QStringLiteral("ファイルがありません");
        return;
    }
    list1 = *read;
    cdVisible = false;
    set({"mnuCdPlayer"}, false);
}

void ReferenceModel::saveListAs(const std::optional<QString>& chosen, bool written)
{
    if (!chosen)
        return;
    saveListName = *chosen;
    // A list that could not be written is said so, not passed over in silence.
    if (!written)
        messages << QStringLiteral("リストファイルを保存できません。");
    label2.clear();
    set({"mnuListClose"}, true);
}

void ReferenceModel::overwriteList(bool written)
{
    if (!written) {
        messages << QStringLiteral("ファイルがありません。");
        return;
    }
    set({"mnuListClose"}, true);
}

void ReferenceModel::deleteEntry(int selected)
{
    listNo = selected;
    if (selected < 0) {
        messages << QStringLiteral("<beep>") << QStringLiteral("削除ファイルが選択されていません。");
        return;
    }
    list1.removeAt(selected);
    label2.clear();
    playerFile = kStartSound;
    set({"mnuListReSave"}, true);
}

void ReferenceModel::closeList()
{
    playerFile = kStartSound;
    panel2.clear();
    label2.clear();
    list1.clear();
    playerEnabled = playerVisible = false;
    set({"mnuListReSave", "mnuListClose", "mnuListDelete"}, false);
    set({"mnuCdPlayer", "mnuList"}, true);
    set({"mnuListNewSave"}, false);
}

void ReferenceModel::enterCd()
{
    set({"mnuFile", "mnuList", "mnuCD"}, false);
    set({"mnuCDEnd"}, true);
    set({"mnuHensyu"}, false);
    playerFile = kStartSound;
    playerEnabled = playerVisible = false;
    label2.clear();
    cdVisible = true;
}

void ReferenceModel::leaveCd()
{
    cdVisible = false;
    set({"mnuFile", "mnuList", "mnuCD"}, true);
    set({"mnuCDEnd"}, false);
    playerEnabled = playerVisible = true;
    set({"mnuHensyu"}, true);
}

void ReferenceModel::tick()
{
    slideNo = slideNo + 1 >= pictureCount ? 0 : slideNo + 1;
}

void ReferenceModel::clickPicture()
{
    pictureNo = pictureNo + 1 == 9 ? 0 : pictureNo + 1;
}

void ReferenceModel::chooseFullSet()
{
    timerOn = true;
    set({"mnuSetJpg"}, false);
    set({"mnuSetNo", "mnuSetDft"}, true);
}

void ReferenceModel::chooseStandardSet()
{
    timerOn = true;
    set({"mnuSetJpg", "mnuSetNo"}, true);
    set({"mnuSetDft"}, false);
}

void ReferenceModel::chooseNoBackground()
{
    timerOn = false;
    set({"mnuSetNo"}, false);
    set({"mnuSetJpg"}, true);
}

} // namespace model

#include "model/ActionWorld.h"

#include "controls/forms/ClickableFrame.h"
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "controls/forms/Timer.h"
#include "help/frmBrowser22.h"
#include "help/frmVersion.h"
#include "playlist/ListFile.h"
#include "support/WaitFor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include <sys/stat.h>

namespace model {

namespace {

const QStringList kGoodMedia = {"song.mid",  "wave.wav", "tune.mp3",  "clip.avi",
                                "clip.mpeg", "clip.mpg", "movie.mov", "日本語 の 曲.MP3"};
// Names a damaged download or a careless copy leaves behind.
const QStringList kHostileMedia = {"line\nbreak.wav", "cr\rname.mid", "back\\slash.avi", "trailing space.mp3 ",
                                   QString(200, QLatin1Char('x')) + ".mov", "fifo.mp3", "folder.avi", ""};
const QStringList kHostileLists = {"nul.lst", "dir.lst", "fifo.lst", "binary.lst"};
const Qt::Key kKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};

// A disc of three tracks that can be taken away: every read after that fails.
class VanishingDrive final : public CdDrive {
public:
    explicit VanishingDrive(std::shared_ptr<std::atomic<bool>> gone) : m_gone(std::move(gone)) {}
    QList<Track> tracks() const override { return {{1, 0, 150}, {2, 150, 150}, {3, 300, 150}}; }
    bool readAudioSectors(void* buffer, qint32, qint32 count) override
    {
        if (*m_gone)
            return false;
        std::memset(buffer, 1, size_t(count) * kSectorBytes);
        return true;
    }
    bool eject() override { return !*m_gone; }

private:
    std::shared_ptr<std::atomic<bool>> m_gone;
};


void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

std::optional<QByteArray> bytesOf(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
}

void click(QWidget* widget, QPoint at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(widget, &release);
}

} // namespace

QMap<QString, QAction*> menuItems(frmMain& f)
{
    return {{"mnuFile", f.mnuFile},           {"mnuFileOpen", f.mnuFileOpen},   {"mnuEnd", f.mnuEnd},
            {"mnuSpace", f.mnuSpace},         {"mnuList", f.mnuList},           {"mnuListOpen", f.mnuListOpen},
            {"mnuListNewSave", f.mnuListNewSave}, {"mnuListReSave", f.mnuListReSave},
            {"mnuListClose", f.mnuListClose}, {"mnuSpace2", f.mnuSpace2},       {"mnuHensyu", f.mnuHensyu},
            {"mnuListDelete", f.mnuListDelete}, {"mnuHenAdd", f.mnuHenAdd},     {"mnuSpace3", f.mnuSpace3},
            {"mnuCdPlayer", f.mnuCdPlayer},   {"mnuCD", f.mnuCD},               {"mnuCDEnd", f.mnuCDEnd},
            {"mnuSpace4", f.mnuSpace4},       {"mnuHelp", f.mnuHelp},           {"mnuHelpHtm", f.mnuHelpHtm},
            {"mnuHelpVersion", f.mnuHelpVersion}, {"mnuSpace5", f.mnuSpace5},   {"mnuSep6", f.mnuSep6},
            {"mnuSet", f.mnuSet},             {"mnuSetJpg", f.mnuSetJpg},       {"mnuSetDft", f.mnuSetDft},
            {"mnuSetNo", f.mnuSetNo}};
}

ActionWorld::ActionWorld()
{
    QDir root(m_h.programFolder());
    root.cdUp();
    m_media = root.filePath(QStringLiteral("media"));
    const QString lists = root.filePath(QStringLiteral("lists"));
    root.mkpath(m_media + QStringLiteral("/folder.avi"));
    root.mkpath(lists + QStringLiteral("/dir.lst"));
    for (const QString& name : kGoodMedia + kHostileMedia.mid(0, 5))
        write(m_media + QLatin1Char('/') + name, "media");
    ::mkfifo(QFile::encodeName(m_media + QStringLiteral("/fifo.mp3")).constData(), 0600);
    ::mkfifo(QFile::encodeName(lists + QStringLiteral("/fifo.lst")).constData(), 0600);
    write(lists + QStringLiteral("/nul.lst"), QByteArray("/a/b.mp3\r\n\0\0\r\n", 14));
    write(lists + QStringLiteral("/binary.lst"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const QList<QStringList> goodLists = {{media(Answer::Good, 0), media(Answer::Good, 3)},
                                          {media(Answer::Good, 1), media(Answer::Hostile, 2), media(Answer::Good, 7)},
                                          {}};
    for (int i = 0; i < goodLists.size(); ++i) {
        const QString path = lists + QStringLiteral("/good-%1.lst").arg(i);
        write(path, encodeListFile(goodLists[i]).value());
        m_knownLists[path] = goodLists[i];
    }
    for (const char* picture : {"A.jpg", "Girl.jpg", "Girl2.jpg", "Z.jpg"})
        QImage(4, 4, QImage::Format_RGB32).save(m_h.inProgramFolder(QString::fromLatin1(picture)), "JPG");
    m_model.pictureCount = 4;
    // A tick is a tick, whether it is drawn or the real timer's.
    QObject::connect(m_h->Timer1, &Timer::Tick, [this] { m_model.tick(); });
    QObject::connect(m_h->MMControl1, &MMControl::ejectFinished, [this] { ++m_ejects; });
    m_h->Form_Load();
    m_h->show();
}

ActionWorld::~ActionWorld()
{
    delete m_h->browserWindow.data();
    delete m_h->versionWindow.data();
}

QString ActionWorld::media(Answer answer, int value) const
{
    if (answer == Answer::Missing)
        return m_media + QStringLiteral("/gone-%1.wav").arg(value);
    const QStringList& names = answer == Answer::Good ? kGoodMedia : kHostileMedia;
    return m_media + QLatin1Char('/') + names[value % names.size()];
}

std::optional<QString> ActionWorld::listToOpen(Answer answer, int value)
{
    const QString lists = QFileInfo(m_media).path() + QStringLiteral("/lists/");
    switch (answer) {
    case Answer::Cancel:
        return std::nullopt;
    case Answer::Good:
        return m_knownLists.keys().value(value % m_knownLists.size());
    case Answer::Missing:
        return lists + QStringLiteral("none-%1.lst").arg(value);
    case Answer::Hostile:
        break;
    }
    return lists + kHostileLists[value % kHostileLists.size()];
}

std::optional<QString> ActionWorld::listToSave(Answer answer, int value) const
{
    const QString lists = QFileInfo(m_media).path() + QStringLiteral("/lists/");
    switch (answer) {
    case Answer::Cancel:
        return std::nullopt;
    case Answer::Good:
        return lists + QStringLiteral("saved-%1.lst").arg(value % 3);
    case Answer::Missing:
        return lists + QStringLiteral("no folder/saved.lst");
    case Answer::Hostile:
        break;
    }
    return lists + (value % 2 ? QStringLiteral("dir.lst") : QStringLiteral("fifo.lst"));
}

// Whether the play list can be written to target: a path in an existing
// folder that names no file yet or a regular one, and entries that a line
// of text can hold.
bool ActionWorld::writable(const QString& target) const
{
    const QFileInfo info(target);
    if (target.isEmpty() || !info.dir().exists() || (info.exists() && !info.isFile()))
        return false;
    for (const QString& entry : m_model.list1)
        if (entry.contains(QLatin1Char('\n')) || entry.contains(QLatin1Char('\r')) || entry.contains(QChar(0)))
            return false;
    return true;
}

QString ActionWorld::saveAndCompare(const std::function<void()>& run, const QString& target, bool expectWritten,
                                    const std::function<void(bool)>& apply)
{
    const std::optional<QByteArray> before = bytesOf(target);
    run();
    apply(expectWritten);
    ++checks;
    if (!expectWritten)
        return bytesOf(target) == before ? QString() : QStringLiteral("a list file that was not saved changed: ") + target;
    const std::optional<QStringList> readBack = readListFile(target);
    if (readBack != std::optional(m_model.list1))
        return differs("the saved list file read back", readBack.value_or(QStringList{"<unreadable>"}), m_model.list1);
    m_knownLists[target] = m_model.list1;
    return {};
}

bool ActionWorld::chooseMenu(const Action& a, QString* problem)
{
    frmMain& f = m_h.form();
    QAction* item = menuItems(f).value(a.item);
    if (!item || !m_model.canChoose(a.item))
        return false;  // a user cannot choose it
    auto answer = [this](const std::optional<QString>& chosen) {
        m_h.dialogs.answers.clear();
        m_h.dialogs.answers.push_back(chosen);
    };
    const QString& n = a.item;
    if (n == QLatin1String("mnuFileOpen") || n == QLatin1String("mnuHenAdd")) {
        const auto chosen = a.answer == Answer::Cancel ? std::nullopt : std::optional(media(a.answer, a.value));
        answer(chosen);
        item->trigger();
        m_model.openMedia(chosen);
    } else if (n == QLatin1String("mnuListOpen")) {
        const std::optional<QString> chosen = listToOpen(a.answer, a.value);
        answer(chosen);
        item->trigger();
        const bool known = chosen && m_knownLists.contains(*chosen);
        m_model.openList(chosen, known ? std::optional(m_knownLists.value(*chosen)) : std::nullopt);
    } else if (n == QLatin1String("mnuListNewSave")) {
        const std::optional<QString> chosen = listToSave(a.answer, a.value);
        answer(chosen);
        if (chosen)
            *problem = saveAndCompare([item] { item->trigger(); }, *chosen, writable(*chosen),
                                      [&](bool written) { m_model.saveListAs(chosen, written); });
        else
            item->trigger();
    } else if (n == QLatin1String("mnuListReSave")) {
        const QString target = m_model.listFileName;
        *problem = saveAndCompare([item] { item->trigger(); }, target, writable(target),
                                  [this](bool written) { m_model.overwriteList(written); });
    } else if (n == QLatin1String("mnuListDelete")) {
        const int selected = f.List2->ListIndex();
        item->trigger();
        m_model.deleteEntry(selected);
    } else if (n == QLatin1String("mnuListClose")) {
        item->trigger();
        m_model.closeList();
    } else if (n == QLatin1String("mnuCD")) {
        *m_driveGone = false;
        const Drive drive = Drive(a.value % 3);
        m_h.nextCdDrive.reset();  // no disc
        if (drive == Drive::Works) {
            auto disc = std::make_unique<FakeCdDrive>();
            disc->discTracks = {{1, 0, 100}, {2, 100, 100}};
            m_h.nextCdDrive = std::move(disc);
        } else if (drive == Drive::Vanishing) {
            m_h.nextCdDrive = std::make_unique<VanishingDrive>(m_driveGone);
        }
        item->trigger();
        m_model.enterCd();
        if (!waitFor([&f] { return f.MMControl1->status() != MMControl::Status::Opening; }, 10000))
            *problem = QStringLiteral("the CD control is still opening");
    } else if (n == QLatin1String("mnuCDEnd")) {
        item->trigger();
        m_model.leaveCd();
    } else {
        item->trigger();
        if (n == QLatin1String("mnuHelpHtm"))
            m_helpOpen = true;
        else if (n == QLatin1String("mnuHelpVersion"))
            m_versionOpen = true;
        else if (n == QLatin1String("mnuSetJpg"))
            m_model.chooseFullSet();
        else if (n == QLatin1String("mnuSetDft"))
            m_model.chooseStandardSet();
        else if (n == QLatin1String("mnuSetNo"))
            m_model.chooseNoBackground();
    }
    m_h.dialogs.answers.clear();
    return true;
}

bool ActionWorld::clickList(int entry)
{
    ListBox* list = m_h->List2;
    list->doItemsLayout();
    QPoint at(4, list->viewport()->height() - 2);  // past the last entry
    if (entry >= 0 && entry < list->ListCount()) {
        const QModelIndex index = list->model()->index(entry, 0);
        list->scrollTo(index);
        at = list->visualRect(index).center();
    }
    const QModelIndex hit = list->indexAt(at);
    click(list->viewport(), at);
    if (hit.isValid())
        m_model.pickEntry(hit.row());
    return true;
}

bool ActionWorld::pressKey(int key)
{
    ListBox* list = m_h->List2;
    const int before = list->ListIndex();
    QKeyEvent press(QEvent::KeyPress, kKeys[key % 6], Qt::NoModifier);
    QCoreApplication::sendEvent(list, &press);
    const int after = list->ListIndex();
    if (after >= 0 && after != before)
        m_model.pickEntry(after);  // moving the selection picks the entry
    return true;
}

bool ActionWorld::clickCd(int button)
{
    MMControl* cd = m_h->MMControl1;
    const auto* pressed = cd->findChild<QToolButton*>(cdButtonNames().value(button) + QStringLiteral("Button"));
    if (!m_model.cdVisible || !pressed || !pressed->isEnabled())
        return false;
    const int ejects = m_ejects;
    const_cast<QToolButton*>(pressed)->click();
    if (button == 5)
        waitFor([&] { return m_ejects != ejects; }, 10000);
    // Read a little of the track the way the engine would.
    if (auto* engine = static_cast<FakeMediaEngine*>(cd->engine()); engine && engine->lastStream) {
        QByteArray buffer(8192, '\0');
        engine->lastStream->read(buffer.data(), buffer.size());
    }
    return true;
}

QString ActionWorld::step(const Action& a)
{
    static const bool trace = qEnvironmentVariableIsSet("SORVAN_TRACE");
    if (trace)
        std::printf("%s\n", qPrintable(a.toString())), std::fflush(stdout);
    frmMain& f = m_h.form();
    QString problem;
    bool did = true;
    switch (a.kind) {
    case Kind::Menu: did = chooseMenu(a, &problem); break;
    case Kind::ListClick: did = clickList(a.value); break;
    case Kind::ListKey: did = pressKey(a.value); break;
    case Kind::ImageClick:
        did = !f.Image1->isHidden();
        if (did) {
            click(f.Image1, QPoint(1, 1));
            m_model.clickPicture();
        }
        break;
    case Kind::BarClick: click(f.Picture2, QPoint(1, 1)); break;
    case Kind::Tick:
        did = f.Timer1->isTicking();
        if (did)
            emit f.Timer1->Tick();
        break;
    case Kind::CloseHelp:
    case Kind::CloseVersion: {
        const bool help = a.kind == Kind::CloseHelp;
        QWidget* window = help ? static_cast<QWidget*>(f.browserWindow.data()) : f.versionWindow.data();
        did = window != nullptr;
        if (did) {
            window->close();  // the window deletes itself once events are served
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            (help ? m_helpOpen : m_versionOpen) = false;
        }
        break;
    }
    case Kind::CdButton: did = clickCd(a.value); break;
    case Kind::CdVanish:
        did = m_model.cdVisible;
        *m_driveGone = true;
        break;
    }
    done += did ? 1 : 0;
    const QString differences = compare();
    return problem.isEmpty() ? differences : problem + QLatin1Char('\n') + differences;
}

Outcome runSequence(const Sequence& sequence)
{
    ActionWorld world;
    for (int i = 0; i < int(sequence.size()); ++i) {
        const QString problem = world.step(sequence[i]);
        if (!problem.isEmpty())
            return {i, problem};
    }
    return {};
}

} // namespace model

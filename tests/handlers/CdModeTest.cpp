// Entering and leaving CD player mode, and the CD control's own buttons, with
// a disc and an engine that are fakes.
#include "controls/cdplayer/CdAudioStream.h"
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "support/HandlerSteps.h"
#include "support/MainWindowHarness.h"
#include "support/WaitFor.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QLabel>
#include <QToolButton>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <map>
#include <mutex>

namespace {

// Serves events until done() holds; false when it never did.
bool opened(MMControl* control)
{
    return waitFor([control] { return control->status() != MMControl::Status::Opening; });
}

std::unique_ptr<FakeCdDrive> disc(int trackCount)
{
    auto drive = std::make_unique<FakeCdDrive>();
    qint32 sector = 0;
    for (int n = 1; n <= trackCount; ++n) {
        const qint32 sectors = 100 + 10 * n;
        drive->discTracks << CdDrive::Track{n, sector, sectors};
        sector += sectors;
    }
    return drive;
}

// A disc that tells when the last owner let go of it.
class WatchedDrive final : public CdDrive {
public:
    WatchedDrive(int trackCount, std::atomic<bool>* gone) : m_tracks(disc(trackCount)->discTracks), m_gone(gone) {}
    ~WatchedDrive() override { *m_gone = true; }
    QList<Track> tracks() const override { return m_tracks; }
    bool readAudioSectors(void*, qint32, qint32) override { return false; }
    bool eject() override { return false; }

private:
    QList<Track> m_tracks;
    std::atomic<bool>* m_gone;
};

// file, list, hensyu, cd, cdEnd, cdPlayer
QList<bool> menus(frmMain& f)
{
    return enabledMenus({f.mnuFile, f.mnuList, f.mnuHensyu, f.mnuCD, f.mnuCDEnd, f.mnuCdPlayer});
}

QToolButton* button(QWidget* control, const char* name)
{
    return control->findChild<QToolButton*>(QLatin1String(name));
}

// Which of previous, play, pause, stop, next, eject are enabled.
QString enabledButtons(QWidget* control)
{
    QString s;
    for (const char* name : {"previousButton", "playButton", "pauseButton", "stopButton", "nextButton", "ejectButton"})
        s += button(control, name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

// The first audio byte of the stream the engine was given last: the fake
// disc fills each track's sectors with the track's number.
int trackOfLastStream(FakeMediaEngine* engine)
{
    char byte = 0;
    engine->lastStream->seek(CdAudioStream::kHeaderBytes);
    engine->lastStream->read(&byte, 1);
    return byte;
}

} // namespace

TEST(CdMode, EnteringWhileAFilePlaysAndLeaving)
{
    MainWindowHarness h;
    const QString song = h.writeFile("song.mp3", "x");
    addMedia(h, song);
    h.nextCdDrive = disc(3);
    // What the window looked like when the control opened and closed the
    // device: opening comes last on entering, closing after hiding on leaving.
    QStringList atCommand;
    QObject::connect(h->MMControl1, &MMControl::statusChanged, [&](MMControl::Status status) {
        if (status == MMControl::Status::Opening || status == MMControl::Status::Closed)
            atCommand << QStringLiteral("%1 control %2 player %3 cd-end %4 hensyu %5")
                             .arg(status == MMControl::Status::Opening ? "open" : "close")
                             .arg(h->MMControl1->isHidden() ? "hidden" : "shown")
                             .arg(h->MediaPlayer1->isHidden() ? "hidden" : "shown")
                             .arg(h->mnuCDEnd->isEnabled() ? "on" : "off")
                             .arg(h->mnuHensyu->isEnabled() ? "on" : "off");
    });

    h->mnuCD_Click();
    EXPECT_EQ(menus(h.form()), (QList<bool>{false, false, false, false, true, false}));
    EXPECT_EQ(h.playerEngine()->opened, (QStringList{song, QDir::current().absoluteFilePath("Start.wav")}))
        << "the player is given the start sound from the current folder";
    EXPECT_EQ(h->MediaPlayer1->FileName(), "Start.wav");
    EXPECT_FALSE(h->MediaPlayer1->isEnabled());
    EXPECT_TRUE(h->MediaPlayer1->isHidden());
    EXPECT_EQ(h->Label2->text(), "");
    EXPECT_FALSE(h->MMControl1->isHidden());
    EXPECT_EQ(h->MMControl1->DeviceType(), "CDAudio");
    EXPECT_EQ(h->MMControl1->Command(), "Open");
    ASSERT_TRUE(opened(h->MMControl1));
    EXPECT_EQ(h.cdDevicesOpened, QStringList{""}) << "the default drive";
    EXPECT_TRUE(h->MMControl1->isOpen());
    EXPECT_EQ(h->MMControl1->toolTip(), "トラック 1 / 3");
    EXPECT_EQ(enabledButtons(h->MMControl1), "010011");

    h->mnuCDEnd_Click();
    EXPECT_EQ(menus(h.form()), (QList<bool>{true, true, true, true, false, false}))
        << "the CD menu as a whole stays as the file left it";
    EXPECT_TRUE(h->MMControl1->isHidden());
    EXPECT_EQ(h->MMControl1->Command(), "Close");
    EXPECT_FALSE(h->MMControl1->isOpen());
    EXPECT_FALSE(h->MediaPlayer1->isHidden());
    EXPECT_TRUE(h->MediaPlayer1->isEnabled());
    EXPECT_EQ(h->MediaPlayer1->FileName(), "Start.wav") << "the file played before is not reloaded";
    EXPECT_EQ(h.playerEngine()->opened.size(), 2);
    EXPECT_EQ(h->Label2->text(), "");
    EXPECT_EQ(h->List2->entries(), QStringList{"song.mp3"});
    EXPECT_TRUE(h.messages.shown.isEmpty());
    EXPECT_EQ(atCommand, (QStringList{"open control shown player hidden cd-end on hensyu off",
                                      "close control hidden player hidden cd-end on hensyu off"}));
}

TEST(CdMode, EditMenuIsEnabledOnLeavingWhateverItWasBefore)
{
    MainWindowHarness h;
    h->mnuHensyu->setEnabled(false);
    h.nextCdDrive = disc(1);
    h->mnuCD_Click();
    h->mnuCDEnd_Click();
    EXPECT_TRUE(h->mnuHensyu->isEnabled());
}

TEST(CdMode, PickingAListEntryPlaysItWhileTheCdControlStays)
{
    MainWindowHarness h;
    const QString a = h.writeFile("a.wav", "x");
    addMedia(h, a);
    h.nextCdDrive = disc(2);
    h->mnuCD_Click();
    ASSERT_TRUE(opened(h->MMControl1));
    const QList<bool> inCdMode = menus(h.form());

    h->List2->setListIndex(0);
    h->List2_Click();
    EXPECT_EQ(h.playerEngine()->opened.last(), a);
    EXPECT_FALSE(h->MediaPlayer1->isHidden());
    EXPECT_TRUE(h->MediaPlayer1->isEnabled());
    EXPECT_FALSE(h->MMControl1->isHidden());
    EXPECT_TRUE(h->MMControl1->isOpen());
    EXPECT_EQ(menus(h.form()), inCdMode);
}

TEST(CdMode, WithoutADriveOpenFailsQuietlyAndLeavingWorks)
{
    MainWindowHarness h;
    h.nextCdDrive = nullptr;
    h->mnuCD_Click();
    ASSERT_TRUE(opened(h->MMControl1));
    EXPECT_EQ(h->MMControl1->status(), MMControl::Status::NoDisc);
    EXPECT_FALSE(h->MMControl1->isOpen());
    EXPECT_FALSE(h->MMControl1->isHidden());
    EXPECT_EQ(h->MMControl1->toolTip(), "CD がありません");
    EXPECT_EQ(enabledButtons(h->MMControl1), "000000");
    EXPECT_TRUE(h.messages.shown.isEmpty());
    EXPECT_EQ(h.messages.beeps, 0);

    h->mnuCDEnd_Click();
    EXPECT_EQ(menus(h.form()), (QList<bool>{true, true, true, true, false, true}));
    EXPECT_TRUE(h->MMControl1->isHidden());
    EXPECT_FALSE(h->MediaPlayer1->isHidden());
}

TEST(CdMode, LeavingBeforeTheDiscIsReadDropsTheLateResult)
{
    MainWindowHarness h;
    std::atomic<bool> gone{false};
    h.nextCdDrive = std::make_unique<WatchedDrive>(2, &gone);
    h->mnuCD_Click();
    h->mnuCDEnd_Click();
    // The reading thread still answers; its disc must be let go of, not
    // reopen the control.
    ASSERT_TRUE(waitFor([&] { return gone.load(); }));
    EXPECT_FALSE(h->MMControl1->isOpen());
    EXPECT_EQ(h->MMControl1->status(), MMControl::Status::Closed);
}

// The control by itself.
class CdControl : public ::testing::Test {
protected:
    std::vector<FakeMediaEngine*> engines;
    // The disc in each device; the opener runs on reading threads.
    std::mutex discsMutex;
    std::map<QString, std::unique_ptr<CdDrive>> discs;
    std::atomic<int> opens{0};
    QString slowDevice;
    std::shared_future<void> slowAnswerGate;
    MMControl control{[this](const QString& device) -> std::unique_ptr<CdDrive> {
                          ++opens;
                          if (slowAnswerGate.valid() && device == slowDevice)
                              slowAnswerGate.wait();
                          std::lock_guard lock(discsMutex);
                          auto found = discs.find(device);
                          return found == discs.end() ? nullptr : std::move(found->second);
                      },
                      [this]() -> std::unique_ptr<MediaEngine> {
                          auto engine = std::make_unique<FakeMediaEngine>();
                          engines.push_back(engine.get());
                          return engine;
                      }};

    FakeCdDrive* open(int trackCount)
    {
        auto drive = disc(trackCount);
        FakeCdDrive* raw = drive.get();
        {
            std::lock_guard lock(discsMutex);
            discs[control.devicePath()] = std::move(drive);
        }
        control.setDeviceType("CDAudio");
        control.setCommand("Open");
        EXPECT_TRUE(opened(&control));
        return raw;
    }
    FakeMediaEngine* engine() const { return engines.empty() ? nullptr : engines.back(); }
};

TEST_F(CdControl, TransportButtonsWalkTheDisc)
{
    FakeCdDrive* drive = open(3);
    EXPECT_TRUE(engines.empty()) << "the engine is made on the first play";

    button(&control, "playButton")->click();
    ASSERT_EQ(engines.size(), 1u);
    EXPECT_EQ(engine()->commands, QStringList{"stream"}) << "a stream starts at once; no extra play";
    EXPECT_EQ(engine()->lastStream->size(), CdAudioStream::kHeaderBytes + 110u * CdDrive::kSectorBytes);
    EXPECT_EQ(trackOfLastStream(engine()), 1);
    EXPECT_EQ(control.status(), MMControl::Status::Playing);
    EXPECT_EQ(enabledButtons(&control), "001111");

    button(&control, "nextButton")->click();
    EXPECT_EQ(trackOfLastStream(engine()), 2);
    EXPECT_EQ(control.currentTrack(), 2);
    EXPECT_EQ(control.toolTip(), "トラック 2 / 3");
    EXPECT_TRUE(button(&control, "nextButton")->toolTip().startsWith("次の曲"));
    button(&control, "nextButton")->click();
    EXPECT_EQ(trackOfLastStream(engine()), 3);
    EXPECT_EQ(enabledButtons(&control), "101101") << "no next track after the last";

    button(&control, "pauseButton")->click();
    EXPECT_EQ(engine()->commands.last(), "pause");
    EXPECT_EQ(control.status(), MMControl::Status::Paused);
    EXPECT_TRUE(button(&control, "pauseButton")->isChecked());
    button(&control, "pauseButton")->click();
    EXPECT_EQ(engine()->commands.last(), "play") << "pause again resumes";
    EXPECT_EQ(control.status(), MMControl::Status::Playing);
    button(&control, "pauseButton")->click();
    button(&control, "playButton")->click();
    EXPECT_EQ(engine()->commands.last(), "play") << "play on a paused track resumes it";

    button(&control, "stopButton")->click();
    EXPECT_EQ(engine()->commands.last(), "stop");
    EXPECT_EQ(control.status(), MMControl::Status::Stopped);
    const qsizetype streams = engine()->commands.count("stream");
    button(&control, "previousButton")->click();
    button(&control, "previousButton")->click();
    EXPECT_EQ(engine()->commands.count("stream"), streams) << "a stopped control only moves the selection";
    EXPECT_EQ(control.currentTrack(), 1);
    EXPECT_EQ(enabledButtons(&control), "010011");
    button(&control, "playButton")->click();
    EXPECT_EQ(trackOfLastStream(engine()), 1);
    EXPECT_EQ(engines.size(), 1u) << "one engine serves every track";
    EXPECT_EQ(drive->ejects, 0);
}

TEST_F(CdControl, TheEndOfATrackOrAnEngineErrorStops)
{
    open(2);
    control.play();
    ASSERT_EQ(control.status(), MMControl::Status::Playing);
    engine()->reportState(MediaEngine::State::Ended);
    EXPECT_TRUE(waitFor([&] { return control.status() == MMControl::Status::Stopped; }));
    EXPECT_EQ(control.currentTrack(), 1);
    control.nextTrack();
    control.play();
    ASSERT_EQ(control.status(), MMControl::Status::Playing);
    engine()->reportState(MediaEngine::State::Error);
    EXPECT_TRUE(waitFor([&] { return control.status() == MMControl::Status::Stopped; }));
    EXPECT_TRUE(control.isOpen());
    control.play();
    EXPECT_EQ(trackOfLastStream(engine()), 2);
}

TEST_F(CdControl, EjectStopsAndLeavesNoDisc)
{
    FakeCdDrive* drive = open(2);
    control.play();
    bool result = false;
    int finished = 0;
    QObject::connect(&control, &MMControl::ejectFinished, [&](bool ejected) { result = ejected, ++finished; });
    button(&control, "ejectButton")->click();
    ASSERT_TRUE(waitFor([&] { return finished == 1; }));
    EXPECT_TRUE(result);
    EXPECT_EQ(drive->ejects, 1);
    EXPECT_EQ(engine()->commands.last(), "stop");
    EXPECT_FALSE(control.isOpen());
    EXPECT_EQ(control.status(), MMControl::Status::NoDisc);
    EXPECT_EQ(control.toolTip(), "CD がありません");
    EXPECT_EQ(enabledButtons(&control), "000000");
}

TEST_F(CdControl, OpenAgainReplacesTheDiscAndDropsTheEarlierAnswer)
{
    // The slow drive answers only after the second open has finished.
    std::promise<void> slowAnswer;
    std::atomic<bool> slowGone{false};
    slowDevice = "slow";
    slowAnswerGate = slowAnswer.get_future().share();
    discs["slow"] = std::make_unique<WatchedDrive>(1, &slowGone);
    discs["b"] = disc(4);
    control.setDeviceType("CDAudio");
    control.setDevicePath("slow");
    control.setCommand("Open");
    control.setDevicePath("b");
    control.setCommand("Open");
    ASSERT_TRUE(opened(&control));
    EXPECT_EQ(control.tracks().size(), 4);
    slowAnswer.set_value();
    ASSERT_TRUE(waitFor([&] { return slowGone.load(); }));
    EXPECT_EQ(control.tracks().size(), 4);
    EXPECT_EQ(control.status(), MMControl::Status::Stopped);

    control.play();
    control.setCommand("Open");  // re-opening a playing control lets go of its engine
    EXPECT_EQ(control.engine(), nullptr);
    ASSERT_TRUE(opened(&control));
    EXPECT_EQ(control.status(), MMControl::Status::NoDisc) << "no disc the second time";
}

TEST_F(CdControl, OnlyCdAudioOpensAndOtherCommandsAreIgnored)
{
    control.setDeviceType("WaveAudio");
    control.setCommand("Open");
    EXPECT_EQ(control.status(), MMControl::Status::Closed);

    open(2);
    control.setCommand("Play");
    control.setCommand("Eject");
    EXPECT_TRUE(control.isOpen());
    EXPECT_EQ(control.status(), MMControl::Status::Stopped);
    EXPECT_EQ(opens, 1);

    control.setCommand("close");
    EXPECT_FALSE(control.isOpen());
}

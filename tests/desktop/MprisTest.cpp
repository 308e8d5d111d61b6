// The desktop's player controls, through a real D-Bus client on a private
// session bus (the test runs inside dbus-run-session), against the handlers
// with the fake engine.
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "desktop/HandOver.h"
#include "desktop/MprisBinding.h"
#include "playlist/formats/ListFormats.h"
#include "playback/PathRules.h"
#include "support/MainWindowHarness.h"
#include "support/WaitFor.h"

#include <QAction>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QFile>
#include <QLabel>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

QVariant plain(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value;
}
} // namespace

// A client of its own on the bus, as a desktop applet would be. Calls are
// asynchronous, so the player (on this thread) can answer them.
class BusClient : public QObject {
    Q_OBJECT
public:
    BusClient()
    {
        m_bus.connect(MprisBinding::serviceName(), MprisService::objectPath(),
                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"), this,
                      SLOT(changed(QString, QVariantMap, QStringList)));
    }
    ~BusClient() override { QDBusConnection::disconnectFromBus(m_name); }

    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(MprisBinding::serviceName(),
                                                              MprisService::objectPath(), interface, method);
        message.setArguments(args);
        QDBusPendingCallWatcher watcher(m_bus.asyncCall(message));
        EXPECT_TRUE(waitFor([&] { return watcher.isFinished(); }, 10000)) << method.toStdString();
        QCoreApplication::processEvents();  // what the call queued, which may run after its reply left
        return watcher.reply();
    }
    QVariant get(const QString& interface, const QString& property)
    {
        const QDBusMessage reply = call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                        {interface, property});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return plain(reply.arguments().front().value<QDBusVariant>().variant());
    }
    QVariantMap metadata() { return get(kPlayer, QStringLiteral("Metadata")).toMap(); }

    // Every PropertiesChanged of the player interface: the changed values.
    QList<QVariantMap> changes;

private slots:
    void changed(const QString& interface, const QVariantMap& values, const QStringList&)
    {
        if (interface != kPlayer)
            return;
        QVariantMap copy;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            copy.insert(it.key(), plain(it.value()));
        changes << copy;
    }

private:
    QString m_name = QStringLiteral("client");
    QDBusConnection m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_name);
};

namespace {
struct Player {
    MainWindowHarness h;
    HandOver handOver{h.form()};
    MprisBinding service{h.form(), handOver, QDBusConnection::sessionBus()};
    BusClient client;

    QString open(const QString& name)
    {
        const QString path = h.writeFile(name, "x");
        h.dialogs.choose(path);
        h->mnuFileOpen_Click();
        return path;
    }
    bool status(const char* expected)
    {
        return waitFor([&] { return client.get(kPlayer, QStringLiteral("PlaybackStatus")) == expected; }, 5000);
    }
};

QString trackId(const QVariantMap& metadata)
{
    return metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>().path();
}
} // namespace

TEST(Mpris, PropertiesAfterStartUpAfterOpeningAFileAndInCdMode)
{
    Player p;
    ASSERT_TRUE(p.service.isRegistered()) << "is a session bus there? (run inside dbus-run-session)";
    EXPECT_EQ(p.client.get(kRoot, "Identity"), "Sorvanel");
    EXPECT_EQ(p.client.get(kRoot, "DesktopEntry"), "sorvan");
    EXPECT_EQ(p.client.get(kRoot, "CanQuit"), true);
    EXPECT_EQ(p.client.get(kRoot, "CanRaise"), true);
    EXPECT_EQ(p.client.get(kRoot, "HasTrackList"), false);
    EXPECT_EQ(p.client.get(kRoot, "SupportedUriSchemes").toStringList(), QStringList{"file"});
    EXPECT_TRUE(p.client.get(kRoot, "SupportedMimeTypes").toStringList().contains("video/quicktime"));
    EXPECT_EQ(p.client.get(kPlayer, "PlaybackStatus"), "Stopped");
    EXPECT_EQ(p.client.get(kPlayer, "CanPlay"), false);
    EXPECT_EQ(p.client.get(kPlayer, "CanControl"), true);
    EXPECT_EQ(p.client.get(kPlayer, "CanGoNext"), false);
    EXPECT_EQ(trackId(p.client.metadata()), "/org/mpris/MediaPlayer2/TrackList/NoTrack");
    EXPECT_EQ(p.client.get(kPlayer, "Volume").toDouble(), 1.0);

    const QString path = p.open("music/a b.mp3");
    p.h.playerEngine()->reportDuration(2500);
    p.h.playerEngine()->reportPosition(1200);
    p.h.playerEngine()->reportState(MediaEngine::State::Playing);
    ASSERT_TRUE(p.status("Playing"));
    QVariantMap metadata = p.client.metadata();
    EXPECT_EQ(metadata.value("xesam:title"), "a b.mp3");
    EXPECT_EQ(metadata.value("xesam:url"), QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
    EXPECT_TRUE(metadata.value("xesam:url").toString().endsWith("/music/a%20b.mp3"));
    EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 2500000);
    EXPECT_TRUE(trackId(metadata).startsWith("/org/sorvan/track/"));
    EXPECT_EQ(p.client.get(kPlayer, "Position").toLongLong(), 1200000);
    EXPECT_EQ(p.client.get(kPlayer, "CanPlay"), true);
    EXPECT_EQ(p.client.get(kPlayer, "CanSeek"), true);
    EXPECT_EQ(p.client.call(kPlayer, "OpenUri", {QStringLiteral("file:///x.mp3")}).errorName(),
              "org.freedesktop.DBus.Error.NotSupported");

    auto drive = std::make_unique<FakeCdDrive>();
    for (int n = 1; n <= 3; ++n)
        drive->discTracks << CdDrive::Track{n, (n - 1) * 750, 750};
    p.h.nextCdDrive = std::move(drive);
    p.h->mnuCD_Click();
    ASSERT_TRUE(waitFor([&] { return p.h->MMControl1->isOpen(); }));
    EXPECT_EQ(p.client.get(kPlayer, "PlaybackStatus"), "Stopped");
    EXPECT_EQ(p.client.metadata().value("xesam:title"), "トラック 1");
    EXPECT_EQ(p.client.metadata().value("mpris:length").toLongLong(), 10000000);
    EXPECT_EQ(p.client.get(kPlayer, "CanGoPrevious"), false);
    p.client.call(kPlayer, "Next");
    p.client.call(kPlayer, "Play");
    EXPECT_EQ(p.h->MMControl1->status(), MMControl::Status::Playing);
    EXPECT_EQ(p.client.metadata().value("xesam:title"), "トラック 2");
    EXPECT_EQ(p.client.get(kPlayer, "PlaybackStatus"), "Playing");
    p.client.call(kPlayer, "PlayPause");
    EXPECT_EQ(p.h->MMControl1->status(), MMControl::Status::Paused);
    p.client.call(kPlayer, "Next");
    EXPECT_EQ(p.client.get(kPlayer, "CanGoNext"), false);
    EXPECT_EQ(p.client.metadata().value("xesam:title"), "トラック 3");
}

TEST(Mpris, TitleArtistAndAlbumComeFromTheTagsAndTheCdTextAndTheRateFromEitherPlayer)
{
    Player p;
    const QString path = p.h.writeFile("cp932.mp3", "x");
    p.h.tagReader->tags.insert(path, MediaTags{"桜の歌～①", "歌手", "春のアルバム", {}});
    p.h.dialogs.choose(path);
    p.h->mnuFileOpen_Click();
    ASSERT_TRUE(waitFor([&] { return p.client.metadata().value("xesam:title") == "桜の歌～①"; }, 5000));
    const QVariantMap metadata = p.client.metadata();
    EXPECT_EQ(metadata.value("xesam:artist").toStringList(), QStringList{"歌手"});
    EXPECT_EQ(metadata.value("xesam:album"), "春のアルバム");
    EXPECT_EQ(p.h->Label2->text(), "cp932.mp3") << "the title line keeps the file name";

    p.h->MediaPlayer1->setRate(1.5);
    ASSERT_TRUE(waitFor([&] { return p.client.get(kPlayer, "Rate") == 1.5; }, 5000));

    auto drive = std::make_unique<FakeCdDrive>();
    for (int n = 1; n <= 2; ++n)
        drive->discTracks << CdDrive::Track{n, (n - 1) * 750, 750};
    drive->discText.album = QStringLiteral("冬の盤");
    drive->discText.performer = QStringLiteral("楽団");
    drive->discText.tracks.insert(1, {QStringLiteral("雪"), QStringLiteral("独唱者")});
    p.h.nextCdDrive = std::move(drive);
    p.h->mnuCD_Click();
    ASSERT_TRUE(waitFor([&] { return p.client.metadata().value("xesam:title") == "雪"; }, 5000));
    EXPECT_EQ(p.client.metadata().value("xesam:artist").toStringList(), QStringList{"独唱者"});
    EXPECT_EQ(p.client.get(kPlayer, "Rate"), 1.0);
    p.client.call(kPlayer, "Next");
    const QVariantMap second = p.client.metadata();
    EXPECT_EQ(second.value("xesam:title"), "トラック 2") << "no CD-Text for it";
    EXPECT_EQ(second.value("xesam:artist").toStringList(), QStringList{"楽団"});
    EXPECT_EQ(second.value("xesam:album"), "冬の盤");
}

TEST(Mpris, PlayPauseFollowsWhatTheEngineReports)
{
    Player p;
    p.open("tune.wav");
    FakeMediaEngine* engine = p.h.playerEngine();
    engine->reportState(MediaEngine::State::Playing);
    ASSERT_TRUE(p.status("Playing"));
    engine->commands.clear();

    p.client.call(kPlayer, "PlayPause");
    EXPECT_EQ(engine->commands, QStringList{"pause"});
    engine->reportState(MediaEngine::State::Paused);
    ASSERT_TRUE(p.status("Paused"));
    p.client.call(kPlayer, "PlayPause");
    EXPECT_EQ(engine->commands, (QStringList{"pause", "play"}));
    p.client.call(kPlayer, "Stop");
    EXPECT_EQ(engine->commands.last(), "stop");
}

TEST(Mpris, SeekSetPositionAndVolumeReachTheEngine)
{
    Player p;
    p.open("long.mp3");
    FakeMediaEngine* engine = p.h.playerEngine();
    engine->reportDuration(10000);
    engine->reportPosition(2000);
    ASSERT_TRUE(waitFor([&] { return p.client.get(kPlayer, "CanSeek") == true; }, 5000));
    const QString track = trackId(p.client.metadata());
    engine->commands.clear();

    p.client.call(kPlayer, "Seek", {qlonglong(3000000)});
    p.client.call(kPlayer, "Seek", {qlonglong(-9000000)});
    p.client.call(kPlayer, "SetPosition", {QVariant::fromValue(QDBusObjectPath("/org/sorvan/track/other")),
                                           qlonglong(1000000)});
    p.client.call(kPlayer, "SetPosition", {QVariant::fromValue(QDBusObjectPath(track)), qlonglong(7000000)});
    p.client.call(kPlayer, "SetPosition", {QVariant::fromValue(QDBusObjectPath(track)), qlonglong(11000000)});
    p.client.call("org.freedesktop.DBus.Properties", "Set",
                  {kPlayer, QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(0.4))});
    EXPECT_EQ(engine->commands, (QStringList{"seek 5000", "seek 0", "seek 7000", "volume 40"}))
        << "another track's id and a position past the end are passed over";
    EXPECT_EQ(p.client.get(kPlayer, "Volume").toDouble(), 0.4);
    EXPECT_EQ(p.client.get(kPlayer, "Position").toLongLong(), 7000000);
}

TEST(Mpris, NextAndPreviousPlayListEntriesAndStopAtTheEnds)
{
    Player p;
    const QString first = p.open("one.wav");
    const QString second = p.open("two.avi");
    FakeMediaEngine* engine = p.h.playerEngine();
    struct Step {
        const char* method;
        int index;
        const char* title;
        bool canNext, canPrevious;
    };
    // Nothing is selected after opening: Next starts at the first entry.
    for (const Step& step : {Step{"Next", 0, "one.wav", true, false}, Step{"Next", 1, "two.avi", false, true},
                             Step{"Next", 1, "two.avi", false, true}, Step{"Previous", 0, "one.wav", true, false},
                             Step{"Previous", 0, "one.wav", true, false}}) {
        p.client.call(kPlayer, step.method);
        SCOPED_TRACE(step.method);
        EXPECT_EQ(p.h->List2->ListIndex(), step.index);
        EXPECT_EQ(p.h->Label2->text(), step.title);
        EXPECT_EQ(p.h->ListNo, step.index);
        EXPECT_EQ(engine->opened.last(), step.index == 0 ? first : second);
        EXPECT_EQ(p.client.get(kPlayer, "CanGoNext"), step.canNext);
        EXPECT_EQ(p.client.get(kPlayer, "CanGoPrevious"), step.canPrevious);
        EXPECT_EQ(p.client.metadata().value("xesam:title"), step.title);
    }
    EXPECT_EQ(engine->opened, (QStringList{first, second, first, second, first}))
        << "a call at either end plays nothing";
}

TEST(Mpris, QuitEndsAsTheMenuDoes)
{
    Player p;
    p.open("tune.wav");
    p.h->showAtDesignPlace();
    const QDBusMessage reply = p.client.call(kRoot, "Quit");
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(waitFor([&] { return p.h->isHidden(); }, 5000));
    EXPECT_EQ(p.h.playerEngine()->commands.last(), "stop");
}

TEST(Mpris, ChangesAreAnnouncedOnceEach)
{
    Player p;
    p.open("music/a.mid");
    ASSERT_TRUE(waitFor([&] { return !p.client.changes.isEmpty(); }, 5000));
    QVariantMap first = p.client.changes.takeFirst();
    EXPECT_EQ(first.value("Metadata").toMap().value("xesam:title"), "a.mid");
    EXPECT_EQ(first.value("CanPlay"), true);
    EXPECT_FALSE(first.contains("PlaybackStatus")) << "still stopped";

    p.h.playerEngine()->reportState(MediaEngine::State::Playing);
    ASSERT_TRUE(waitFor([&] { return !p.client.changes.isEmpty(); }, 5000));
    EXPECT_EQ(p.client.changes.takeFirst(), (QVariantMap{{"PlaybackStatus", "Playing"}}));

    p.h->MediaPlayer1->setVolume(40);
    ASSERT_TRUE(waitFor([&] { return !p.client.changes.isEmpty(); }, 5000));
    EXPECT_EQ(p.client.changes.takeFirst(), (QVariantMap{{"Volume", 0.4}}));
}

TEST(Mpris, ASecondPlayerLeavesTheNameToTheFirst)
{
    Player p;
    MainWindowHarness other;
    QDBusConnection otherBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second-player");
    {
        HandOver otherHandOver(other.form());
        MprisBinding second(other.form(), otherHandOver, otherBus);
        EXPECT_FALSE(second.isRegistered());
    }
    QDBusConnection::disconnectFromBus("second-player");
    EXPECT_EQ(p.client.get(kRoot, "Identity"), "Sorvanel") << "the first still answers";
}

TEST(Mpris, OpenUriTakesLocalFilesAsTheOtherWaysInDo)
{
    Player p;
    const QString song = p.h.writeFile("曲 1.wav", "x");
    const QString encoded = QUrl::fromLocalFile(song).toString(QUrl::FullyEncoded);
    ASSERT_TRUE(encoded.contains("%E6%9B%B2%201.wav"));
    struct Row {
        QString uri;
        bool cdMode;
        QString error;  // the start of the error text; empty: taken
        QStringList entries;
    };
    for (const Row& row : {Row{encoded, false, {}, {song}}, Row{"https://example.org/a.mp3", false, "Only file://", {song}},
                           Row{encoded + "x", false, "sorvan: not found:", {song}},
                           Row{encoded, true, "sorvan: not taken in CD mode:", {song}}}) {
        SCOPED_TRACE(row.uri.toStdString());
        if (row.cdMode)
            p.h->mnuCD_Click();
        const QDBusMessage reply = p.client.call(kPlayer, "OpenUri", {row.uri});
        EXPECT_EQ(reply.type() == QDBusMessage::ErrorMessage, !row.error.isEmpty());
        EXPECT_TRUE(reply.errorMessage().startsWith(row.error)) << reply.errorMessage().toStdString();
        EXPECT_EQ(p.h->List1->entries(), row.entries);
    }
    EXPECT_TRUE(p.h.playerEngine()->opened.contains(song)) << "played";
}

TEST(Mpris, OverTheQueuesBoundAMethodIsAnsweredWithAnErrorAndAWrittenVolumeStillComes)
{
    Player p;
    const QString song = p.h.writeFile("a.wav", "x");
    p.h.dialogs.whileOpen = [&] {
        while (p.handOver.requests().run([] {}))
            ;
        for (const auto& [method, args] : {std::pair{"Next", QVariantList{}}, {"Play", {}},
                                           {"OpenUri", {QUrl::fromLocalFile(song).toString()}}}) {
            EXPECT_EQ(p.client.call(kPlayer, method, args).errorName(), "org.freedesktop.DBus.Error.LimitsExceeded")
                << method;
        }
        p.client.call("org.freedesktop.DBus.Properties", "Set",
                      {kPlayer, QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(0.3))});
    };
    p.h->mnuFileOpen_Click();
    ASSERT_TRUE(waitFor([&] { return p.handOver.requests().waiting() == 0; }, 5000));
    EXPECT_EQ(p.h->List1->ListCount(), 0);
    EXPECT_EQ(p.h->MediaPlayer1->volume(), 30);
}

TEST(Mpris, RateWritesWithinTheLimitsReachThePlayer)
{
    Player p;
    p.open("tune.wav");
    ASSERT_TRUE(waitFor([&] { return p.client.get(kPlayer, "MinimumRate") == 0.5; }, 5000));
    EXPECT_EQ(p.client.get(kPlayer, "MaximumRate"), 2.0);
    for (const auto& [written, read] : {std::pair{1.5, 1.5}, {2.5, 1.5}, {0.0, 1.5}, {0.5, 0.5}}) {
        SCOPED_TRACE(written);
        p.client.call("org.freedesktop.DBus.Properties", "Set",
                      {kPlayer, QStringLiteral("Rate"), QVariant::fromValue(QDBusVariant(written))});
        EXPECT_EQ(p.h->MediaPlayer1->rate(), read);
        EXPECT_TRUE(waitFor([&] { return p.client.get(kPlayer, "Rate") == read; }, 5000));
    }
    EXPECT_EQ(p.h.playerEngine()->commands.filter("rate"), (QStringList{"rate 1.5", "rate 0.5"}));
}

TEST(Mpris, EveryMediaTypeOfTheOpenDialogIsSupportedAndInTheDesktopEntry)
{
    const QStringList supported = MprisBinding::supportedMimeTypes();
    QMimeDatabase types;
    for (const QString& suffix : MediaFileSuffixes()) {
        SCOPED_TRACE(suffix.toStdString());
        const QMimeType type = types.mimeTypeForFile("x." + suffix, QMimeDatabase::MatchExtension);
        EXPECT_TRUE(supported.contains(type.name()) || !QSet<QString>(type.aliases().cbegin(), type.aliases().cend())
                                                             .intersect({supported.cbegin(), supported.cend()})
                                                             .isEmpty())
            << type.name().toStdString();
    }
    QFile entry(SORVAN_TEST_SOURCE_DIR "/../assets/desktop/sorvan.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString line = QRegularExpression("^MimeType=(.*);$", QRegularExpression::MultilineOption)
                             .match(QString::fromUtf8(entry.readAll()))
                             .captured(1);
    QStringList listed = line.split(';');
    // The entry also opens the list files of every list format.
    QStringList ours = supported + ListMimeTypes();
    listed.sort();
    ours.sort();
    EXPECT_EQ(listed, ours);
}

#include "MprisTest.moc"

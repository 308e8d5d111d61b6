// The media player control's own extras with a fake engine, offscreen: the
// position buttons, the context menu, zoom, full screen and the keys.

#include "controls/mediaplayer/MediaFullScreen.h"
#include "controls/mediaplayer/MediaPropertiesWindow.h"
#include "controls/mediaplayer/MediaStatisticsWindow.h"
#include "support/PlayerFixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MediaPlayerExtrasTest : public PlayerFixture {
protected:
    // Everything that must come back to the pixel after full screen.
    struct Layout {
        QRect player, screen, video, bar;
        QWidget *screenParent, *barParent;
        bool operator==(const Layout&) const = default;
    };
    Layout layout() const
    {
        return {m_player->geometry(),
                m_player->screenArea()->geometry(),
                m_player->videoArea()->geometry(),
                m_player->bar()->geometry(),
                m_player->screenArea()->parentWidget(),
                m_player->bar()->parentWidget()};
    }
};

// The captions of a menu in order, separators as "-", submenus as
// "caption[item|item]"; a leading "*" marks a checked item, "~" a disabled one.
QString describe(const QMenu& menu)
{
    QStringList items;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            items << QStringLiteral("-");
            continue;
        }
        QString text = (action->isEnabled() ? QString() : QStringLiteral("~"))
            + (action->isChecked() ? QStringLiteral("*") : QString()) + action->text();
        if (action->menu())
            text += QLatin1Char('[') + describe(*action->menu()) + QLatin1Char(']');
        items << text;
    }
    return items.join(QLatin1Char('|'));
}

TEST_F(MediaPlayerExtrasTest, PositionButtonsSeekWithinTheMedium)
{
    for (const char* name : {"toStart", "back", "ahead"})
        EXPECT_FALSE(barChild(name)->isEnabled()) << name;  // nothing loaded
    EXPECT_EQ(barChild("toStart")->accessibleName(), QStringLiteral("先頭へ"));
    EXPECT_EQ(barChild("back")->toolTip(), QStringLiteral("巻き戻し"));
    EXPECT_EQ(barChild("ahead")->toolTip(), QStringLiteral("早送り"));

    load(QStringLiteral("/music/a.mp3"), {}, 100000, 95000);
    barChild("ahead")->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("seek 100000"));  // not past the end
    emit m_engine->positionChanged(4000);
    barChild("back")->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("seek 0"));
    emit m_engine->positionChanged(30000);
    barChild("back")->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("seek 20000"));
    barChild("toStart")->click();
    EXPECT_EQ(lastCommand(), QStringLiteral("seek 0"));

    // A medium of no known length cannot seek.
    m_player->setFileName(QStringLiteral("/music/b.mp3"));
    emit m_engine->stateChanged(State::Playing);
    EXPECT_FALSE(barChild("ahead")->isEnabled());
}

TEST_F(MediaPlayerExtrasTest, ContextMenuOffersWhatCanActNow)
{
    // d: "~" where the items are disabled, else nothing.
    auto zoomFit = [](const QString& d) {
        return QStringLiteral("ズーム[") + d + QStringLiteral("50%|") + d + QStringLiteral("100%|") + d
            + QStringLiteral("200%|") + d + QStringLiteral("*ウィンドウに合わせる]");
    };
    auto tail = [](const QString& d) {
        return QStringLiteral("-|音量[~上げる|下げる|消音]|再生速度[0.5倍|*1倍|1.5倍|2倍]|-|") + d
            + QStringLiteral("プロパティ|") + d + QStringLiteral("統計");
    };
    const QString off = QStringLiteral("~");
    struct Case {
        const char* what;
        QString file;
        QSize video;
        QString expected;
    };
    const Case cases[] = {
        {"nothing loaded", QString(), {},
         QStringLiteral("~再生|~停止|-|~巻き戻し|~早送り|-|~") + zoomFit(off) + QStringLiteral("|~全画面表示|~字幕[~*なし]|")
             + tail(off)},
        {"audio", QStringLiteral("/music/a.mp3"), {},
         QStringLiteral("一時停止|停止|-|巻き戻し|早送り|-|~") + zoomFit(off) + QStringLiteral("|~全画面表示|~字幕[~*なし]|")
             + tail(QString())},
        {"video", QStringLiteral("/films/a.avi"), QSize(320, 240),
         QStringLiteral("一時停止|停止|-|巻き戻し|早送り|-|") + zoomFit(QString()) + QStringLiteral("|全画面表示|~字幕[~*なし]|")
             + tail(QString())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.file.isEmpty())
            load(c.file, c.video);
        EXPECT_EQ(describe(*m_player->makeContextMenu()).toStdString(), c.expected.toStdString());
    }

    // The items act on the control, and the next menu shows it.
    auto menu = m_player->makeContextMenu();
    auto find = [](QMenu& in, const QString& path) {
        QAction* found = nullptr;
        QMenu* level = &in;
        for (const QString& caption : path.split(QLatin1Char('/'))) {
            found = nullptr;
            for (QAction* action : level->actions())
                if (action->text() == caption)
                    found = action;
            if (!found)
                return found;
            level = found->menu();
        }
        return found;
    };
    find(*menu, QStringLiteral("再生速度/2倍"))->trigger();
    EXPECT_EQ(lastCommand(), QStringLiteral("rate 2"));
    find(*menu, QStringLiteral("音量/下げる"))->trigger();
    EXPECT_EQ(lastCommand(), QStringLiteral("volume 95"));
    find(*menu, QStringLiteral("ズーム/200%"))->trigger();
    find(*menu, QStringLiteral("一時停止"))->trigger();
    EXPECT_EQ(lastCommand(), QStringLiteral("pause"));
    emit m_engine->stateChanged(State::Paused);
    EXPECT_EQ(describe(*m_player->makeContextMenu()).toStdString(),
              "再生|停止|-|巻き戻し|早送り|-|ズーム[50%|100%|*200%|ウィンドウに合わせる]|全画面表示|~字幕[~*なし]|-|"
              "音量[上げる|下げる|消音]|再生速度[0.5倍|1倍|1.5倍|*2倍]|-|プロパティ|統計");

    // The subtitle tracks the engine reports, the one shown checked; a
    // choice goes to the engine, and a new medium starts without tracks.
    auto subtitles = [&] { return describe(*find(*m_player->makeContextMenu(), QStringLiteral("字幕"))->menu()); };
    emit m_engine->subtitlesChanged({{{3, QString()}, {7, QStringLiteral("ja")}}, 3});
    EXPECT_EQ(subtitles().toStdString(), "なし|*トラック 1|トラック 2 (ja)");
    find(*m_player->makeContextMenu(), QStringLiteral("字幕/なし"))->trigger();
    EXPECT_EQ(lastCommand(), QStringLiteral("subtitle -1"));
    EXPECT_EQ(subtitles().toStdString(), "*なし|トラック 1|トラック 2 (ja)");
    load(QStringLiteral("/films/b.avi"), QSize(320, 240));
    EXPECT_EQ(subtitles().toStdString(), "~*なし");
}

TEST_F(MediaPlayerExtrasTest, ZoomSizesThePictureFromTheCornerAndPicture1CutsItOff)
{
    const int barHeight = m_player->bar()->sizeHint().height();
    const int barMin = m_player->bar()->minimumSizeHint().width();
    load(QStringLiteral("/films/a.avi"), QSize(400, 300));
    EXPECT_EQ(m_player->geometry(), kDesign);  // fitted by default

    struct Case {
        const char* caption;
        PlayerZoom zoom;
        QSize picture;
        QRect control;
    };
    const int roomHigh = kPicture1.height() - kDesign.y();
    const Case cases[] = {
        {"50%", PlayerZoom::Half, {200, 150}, QRect(0, 8, qMax(200, barMin), 150 + barHeight)},
        {"100%", PlayerZoom::Actual, {400, 300}, QRect(0, 8, qMax(400, barMin), 300 + barHeight)},
        // 800 × 600 overruns Picture1 on the right and at the bottom.
        {"200%", PlayerZoom::Double, {800, 600}, QRect(0, 8, kPicture1.width(), roomHigh)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        m_player->setZoom(c.zoom);
        EXPECT_EQ(m_player->geometry(), c.control);
        EXPECT_EQ(m_player->videoArea()->size(), c.picture);
        EXPECT_EQ(m_player->screenArea()->geometry(), QRect(0, 0, c.control.width(), c.control.height() - barHeight));
        EXPECT_EQ(m_player->bar()->geometry(), QRect(0, c.control.height() - barHeight, c.control.width(), barHeight));
        EXPECT_TRUE(QRect(QPoint(), kPicture1).contains(m_player->geometry()));
    }
    m_player->setZoom(PlayerZoom::Fit);
    EXPECT_EQ(m_player->geometry(), kDesign);

    // Every new file starts fitted.
    m_player->setZoom(PlayerZoom::Half);
    load(QStringLiteral("/films/b.avi"), QSize(400, 300));
    EXPECT_EQ(m_player->zoom(), PlayerZoom::Fit);
    EXPECT_EQ(m_player->geometry(), kDesign);
}

TEST_F(MediaPlayerExtrasTest, FullScreenEachWayInAndOutRestoresTheLayoutToThePixel)
{
    load(QStringLiteral("/films/a.avi"), QSize(320, 240));
    m_player->setZoom(PlayerZoom::Actual);
    const Layout before = layout();
    auto doubleClick = [this] {
        QWidget* picture = m_player->videoArea();
        const QPointF at(10, 10);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, picture->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(picture, &event);
        }
    };
    auto key = [this](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = m_player->isFullScreen() ? static_cast<QWidget*>(m_player->fullScreenWindow()) : m_player;
        QTest::keyClick(target, k, mods);
    };
    auto menuItem = [this] {
        const auto menu = m_player->makeContextMenu();
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("全画面表示"))
                action->trigger();
    };
    struct Way {
        const char* name;
        std::function<void()> act;
    };
    const Way ways[] = {
        {"double click", doubleClick},
        {"menu item", menuItem},
        {"F11", [&] { key(Qt::Key_F11); }},
        {"Alt+Enter", [&] { key(Qt::Key_Return, Qt::AltModifier); }},
        {"F", [&] { key(Qt::Key_F); }},
    };
    const Way outs[] = {
        {"Esc", [&] { key(Qt::Key_Escape); }}, {"double click", doubleClick}, {"menu item", menuItem},
        {"F11", [&] { key(Qt::Key_F11); }},    {"Alt+Enter", [&] { key(Qt::Key_Return, Qt::AltModifier); }},
    };
    for (const Way& in : ways) {
        for (const Way& out : outs) {
            SCOPED_TRACE(testing::Message() << in.name << " then " << out.name);
            in.act();
            ASSERT_TRUE(m_player->isFullScreen());
            MediaFullScreen* full = m_player->fullScreenWindow();
            EXPECT_EQ(full->geometry(), m_host.screen()->geometry());
            EXPECT_EQ(m_player->screenArea()->geometry(), full->rect());
            const QRect picture = m_player->videoArea()->geometry();
            EXPECT_TRUE(picture.height() == full->height() || picture.width() == full->width());
            EXPECT_TRUE(full->isBarShown());
            out.act();
            ASSERT_FALSE(m_player->isFullScreen());
            EXPECT_TRUE(layout() == before);
            EXPECT_EQ(m_player->zoom(), PlayerZoom::Actual);
        }
    }
    // Double clicks neither played nor paused, and none waits to.
    EXPECT_FALSE(m_engine->commands.contains(QStringLiteral("pause")));
    EXPECT_FALSE(m_player->clickPending());
}

TEST_F(MediaPlayerExtrasTest, FullScreenHidesTheBarWhenStillAndEndsForSoundHidingOrDisabling)
{
    load(QStringLiteral("/films/a.avi"), QSize(320, 240));
    m_player->setFullScreen(true);
    MediaFullScreen* full = m_player->fullScreenWindow();
    EXPECT_EQ(full->idleTimer().interval(), 2000);
    EXPECT_TRUE(full->idleTimer().isActive());
    full->idle();  // what the timer does after 2 seconds of stillness
    EXPECT_FALSE(full->isBarShown());
    EXPECT_EQ(full->cursor().shape(), Qt::BlankCursor);
    // Movement over the picture or over the black around it.
    for (QWidget* over : {m_player->videoArea(), static_cast<QWidget*>(full)}) {
        full->idle();
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(over, &move);
        EXPECT_TRUE(full->isBarShown());
        EXPECT_NE(full->cursor().shape(), Qt::BlankCursor);
    }

    // Another video stays full screen; a sound leaves it once it shows none.
    load(QStringLiteral("/films/b.avi"), QSize(640, 480));
    EXPECT_TRUE(m_player->isFullScreen());
    m_player->setFileName(QStringLiteral("/music/c.mp3"));
    EXPECT_TRUE(m_player->isFullScreen());
    m_engine->info.tracks = {MediaTrackInfo{MediaTrackInfo::Kind::Audio}};
    emit m_engine->stateChanged(State::Playing);
    EXPECT_FALSE(m_player->isFullScreen());

    const Layout before = [&] {
        load(QStringLiteral("/films/d.avi"), QSize(320, 240));
        return layout();
    }();
    struct Case {
        const char* name;
        std::function<void()> leave;
        std::function<void()> undo;
    };
    const Case cases[] = {
        {"Start.wav", [&] { m_player->setFileName(QStringLiteral("Start.wav")); },
         [&] { load(QStringLiteral("/films/d.avi"), QSize(320, 240)); }},
        {"hidden", [&] { m_player->hide(); }, [&] { m_player->show(); }},
        {"disabled", [&] { m_player->setEnabled(false); }, [&] { m_player->setEnabled(true); }},
        // Quitting closes every window: refusing would keep the program running.
        {"window closed", [&] { EXPECT_TRUE(m_player->fullScreenWindow()->close()); }, [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_player->setFullScreen(true);
        ASSERT_TRUE(m_player->isFullScreen());
        c.leave();
        EXPECT_FALSE(m_player->isFullScreen());
        c.undo();
        EXPECT_TRUE(layout() == before);
    }
}

TEST_F(MediaPlayerExtrasTest, KeysWhileFocused)
{
    load(QStringLiteral("/films/a.avi"), QSize(320, 240));
    m_player->bar()->setVolume(50);
    struct Case {
        Qt::Key key;
        QString command;  // the engine's last command afterwards
    };
    const Case cases[] = {
        {Qt::Key_Space, QStringLiteral("pause")}, {Qt::Key_Left, QStringLiteral("seek 45000")},
        {Qt::Key_Right, QStringLiteral("seek 50000")}, {Qt::Key_Home, QStringLiteral("seek 0")},
        {Qt::Key_Up, QStringLiteral("volume 55")},   {Qt::Key_Down, QStringLiteral("volume 50")},
        {Qt::Key_M, QStringLiteral("mute")},         {Qt::Key_M, QStringLiteral("unmute")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        QTest::keyClick(m_player, c.key);
        EXPECT_EQ(lastCommand(), c.command);
    }
    QTest::keyClick(m_player, Qt::Key_F);
    EXPECT_TRUE(m_player->isFullScreen());
    QTest::keyClick(m_player->fullScreenWindow(), Qt::Key_Space);  // keys work in full screen too
    EXPECT_EQ(lastCommand(), QStringLiteral("pause"));
    QTest::keyClick(m_player->fullScreenWindow(), Qt::Key_Escape);
    EXPECT_FALSE(m_player->isFullScreen());

    // A click gives the control focus; Tab reaches it.
    EXPECT_EQ(m_player->focusPolicy(), Qt::StrongFocus);
}

TEST_F(MediaPlayerExtrasTest, PropertiesAndStatisticsFollowWhatPlaysOneWindowEach)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("映像 1.avi"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(12345, 'x'));
    file.close();

    load(path, QSize(352, 288), 3723000);
    MediaTrackInfo video{MediaTrackInfo::Kind::Video, QStringLiteral("MPEG-4 Video")};
    video.size = QSize(352, 288);
    video.frameRate = 25;
    MediaTrackInfo audio{MediaTrackInfo::Kind::Audio, QStringLiteral("PCM S16 LE")};
    audio.channels = 1;
    audio.sampleRate = 22050;
    m_engine->info.tracks = {video, audio};
    m_player->showProperties();
    m_player->showProperties();
    EXPECT_EQ(m_player->findChildren<MediaPropertiesWindow*>().size(), 1);
    MediaPropertiesWindow* properties = m_player->propertiesWindow();
    const std::pair<QString, QString> expected[] = {
        {QStringLiteral("ファイル名"), QStringLiteral("映像 1.avi")},
        {QStringLiteral("フォルダー"), QDir::toNativeSeparators(dir.path())},
        {QStringLiteral("サイズ"), QStringLiteral("12345 バイト")},
        {QStringLiteral("長さ"), QStringLiteral("1:02:03")},
        {QStringLiteral("映像の大きさ"), QStringLiteral("352 × 288")},
        {QStringLiteral("フレームレート"), QStringLiteral("25.000 fps")},
        {QStringLiteral("トラック 1"), QStringLiteral("映像: MPEG-4 Video")},
        {QStringLiteral("トラック 2"), QStringLiteral("音声: PCM S16 LE, 1 チャンネル, 22050 Hz")},
    };
    for (const auto& [caption, text] : expected)
        EXPECT_EQ(properties->field(caption).toStdString(), text.toStdString()) << caption.toStdString();

    // The next file: what cannot be known (a missing file, no tracks yet) stays empty.
    m_engine->info.tracks.clear();
    m_player->setFileName(dir.filePath(QStringLiteral("gone.mp3")));
    EXPECT_EQ(properties->field(QStringLiteral("ファイル名")), QStringLiteral("gone.mp3"));
    for (const QString& caption : {QStringLiteral("サイズ"), QStringLiteral("長さ"), QStringLiteral("映像の大きさ"),
                                   QStringLiteral("トラック 1")})
        EXPECT_TRUE(properties->field(caption).isEmpty()) << caption.toStdString();

    emit m_engine->stateChanged(State::Playing);
    m_engine->statistics.decodedVideo = 75;
    m_engine->statistics.displayedPictures = 74;
    m_engine->statistics.lostPictures = 1;
    m_engine->statistics.inputKbps = 1234.4;
    m_player->showStatistics();
    m_player->showStatistics();
    EXPECT_EQ(m_player->findChildren<MediaStatisticsWindow*>().size(), 1);
    MediaStatisticsWindow* statistics = m_player->statisticsWindow();
    EXPECT_EQ(statistics->field(QStringLiteral("表示したフレーム")), QStringLiteral("74"));
    EXPECT_EQ(statistics->field(QStringLiteral("入力ビットレート")), QStringLiteral("1234 kb/s"));
    EXPECT_TRUE(statistics->timer().isActive());
    EXPECT_EQ(statistics->timer().interval(), 1000);
    statistics->close();  // asks no more once closed
    EXPECT_FALSE(statistics->timer().isActive());
}

} // namespace

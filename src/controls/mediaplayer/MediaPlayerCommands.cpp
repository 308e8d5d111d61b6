#include "controls/mediaplayer/MediaPlayerCommands.h"

#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/mediaplayer/PlaybackRates.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>
#include <utility>

MediaPlayerCommands::MediaPlayerCommands(MediaPlayer* player) : QObject(player), m_player(player)
{
    // What plays is asked of the session; the picture of the player.
    MediaPlayer* p = player;
    MediaSession* s = player->session();
    auto media = [s] { return s->hasFile(); };
    auto video = [p] { return p->hasVideo(); };
    auto seekable = [s] { return s->canSeek(); };
    auto always = [] { return true; };

    playPause = add(QStringLiteral("再生"), {QKeySequence(Qt::Key_Space)}, [p] { p->togglePlay(); }, media);
    stop = add(QStringLiteral("停止"), {}, [s] { s->stop(); }, media);
    back = add(QStringLiteral("巻き戻し"), {}, [s] { s->skip(-MediaPlayer::kSkipMs); }, seekable);
    ahead = add(QStringLiteral("早送り"), {}, [s] { s->skip(MediaPlayer::kSkipMs); }, seekable);
    toStart = add(QStringLiteral("先頭へ"), {QKeySequence(Qt::Key_Home)}, [s] { s->seek(0); }, seekable);
    keyBack = add(QString(), {QKeySequence(Qt::Key_Left)}, [s] { s->skip(-MediaPlayer::kKeySkipMs); }, seekable);
    keyAhead = add(QString(), {QKeySequence(Qt::Key_Right)}, [s] { s->skip(MediaPlayer::kKeySkipMs); }, seekable);

    m_zoomGroup = new QActionGroup(this);
    const std::pair<PlayerZoom, QString> zoomItems[] = {
        {PlayerZoom::Half, QStringLiteral("50%")},
        {PlayerZoom::Actual, QStringLiteral("100%")},
        {PlayerZoom::Double, QStringLiteral("200%")},
        {PlayerZoom::Fit, QStringLiteral("ウィンドウに合わせる")},
    };
    for (const auto& [zoom, caption] : zoomItems) {
        QAction* action = add(caption, {}, [p, zoom = zoom] { p->setZoom(zoom); }, video,
                              [p, zoom = zoom] { return p->zoom() == zoom; });
        m_zoomGroup->addAction(action);
        zooms << action;
    }
    fullScreen = add(QStringLiteral("全画面表示"),
                     {QKeySequence(Qt::Key_F), QKeySequence(Qt::Key_F11), QKeySequence(Qt::ALT | Qt::Key_Return),
                      QKeySequence(Qt::ALT | Qt::Key_Enter)},
                     [p] { p->setFullScreen(!p->isFullScreen()); }, video, [p] { return p->isFullScreen(); });
    leaveFullScreen = add(QString(), {QKeySequence(Qt::Key_Escape)}, [p] { p->setFullScreen(false); },
                          [p] { return p->isFullScreen(); });
    m_commands.back().keyOnlyWhenEnabled = true;

    volumeUp = add(QStringLiteral("上げる"), {QKeySequence(Qt::Key_Up)},
                   [s] { s->setVolume(s->volume() + MediaPlayer::kKeyVolumeStep); }, [s] { return s->volume() < 100; });
    volumeDown = add(QStringLiteral("下げる"), {QKeySequence(Qt::Key_Down)},
                     [s] { s->setVolume(s->volume() - MediaPlayer::kKeyVolumeStep); }, [s] { return s->volume() > 0; });
    mute = add(QStringLiteral("消音"), {QKeySequence(Qt::Key_M)}, [s] { s->setMuted(!s->isMuted()); }, always,
               [s] { return s->isMuted(); });

    m_rateGroup = new QActionGroup(this);
    for (const PlaybackRate& choice : PlaybackRates()) {
        const double rate = choice.rate;
        QAction* action = add(choice.caption, {}, [s, rate] { s->setRate(rate); }, always,
                              [s, rate] { return qFuzzyCompare(rate, s->rate()); });
        m_rateGroup->addAction(action);
        rates << action;
    }
    properties = add(QStringLiteral("プロパティ"), {}, [p] { p->showProperties(); }, media);
    statistics = add(QStringLiteral("統計"), {}, [p] { p->showStatistics(); }, media);
    contextMenu = add(QString(), {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)},
                      [p] { p->popupContextMenu(p->mapToGlobal(p->rect().center())); }, always);

    // The commands follow what the session announces.
    connect(s, &MediaSession::stateChanged, this, &MediaPlayerCommands::refresh);
    connect(s, &MediaSession::mediumChanged, this, &MediaPlayerCommands::refresh);
    connect(s, &MediaSession::durationChanged, this, &MediaPlayerCommands::refresh);
    connect(s, &MediaSession::volumeChanged, this, &MediaPlayerCommands::refresh);
    connect(s, &MediaSession::mutedChanged, this, &MediaPlayerCommands::refresh);
    connect(s, &MediaSession::rateChanged, this, &MediaPlayerCommands::refresh);
}

MediaPlayerCommands::~MediaPlayerCommands() = default;

QAction* MediaPlayerCommands::add(const QString& caption, const QList<QKeySequence>& keys,
                                  std::function<void()> run, std::function<bool()> enabled,
                                  std::function<bool()> checked)
{
    auto* action = new QAction(caption, this);
    // The keys belong to the control alone and are read by runKey: the
    // action is never added to a widget, so Qt's shortcut map leaves them.
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setCheckable(bool(checked));
    connect(action, &QAction::triggered, this, [run] { run(); });
    m_commands.push_back({action, std::move(run), std::move(enabled), std::move(checked)});
    return action;
}

void MediaPlayerCommands::refresh()
{
    playPause->setText(m_player->session()->isPlaying() ? QStringLiteral("一時停止") : QStringLiteral("再生"));
    for (const Command& command : m_commands) {
        command.action->setEnabled(command.enabled());
        if (command.checked)
            command.action->setChecked(command.checked());
    }
}

bool MediaPlayerCommands::runKey(const QKeyEvent* event)
{
    const QKeySequence pressed(
        QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key())));
    for (const Command& command : m_commands) {
        if (!command.action->shortcuts().contains(pressed))
            continue;
        if (command.keyOnlyWhenEnabled && !command.enabled())
            return false;
        command.run();
        return true;
    }
    return false;
}

std::unique_ptr<QMenu> MediaPlayerCommands::makeMenu(QWidget* parent)
{
    refresh();
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(QStringLiteral("contextMenu"));
    addItems(menu.get(), {playPause, stop});
    menu->addSeparator();
    addItems(menu.get(), {back, ahead});
    menu->addSeparator();
    QMenu* zoomMenu = menu->addMenu(QStringLiteral("ズーム"));
    zoomMenu->setEnabled(m_player->hasVideo());
    addItems(zoomMenu, zooms, true);
    addItems(menu.get(), {fullScreen});
    menu->addSeparator();
    addItems(menu->addMenu(QStringLiteral("音量")), {volumeUp, volumeDown, mute});
    addItems(menu->addMenu(QStringLiteral("再生速度")), rates, true);
    menu->addSeparator();
    addItems(menu.get(), {properties, statistics});
    return menu;
}

void MediaPlayerCommands::addItems(QMenu* menu, const QList<QAction*>& commands, bool oneOf)
{
    // Each menu shows the commands through items of its own: the
    // accessibility interface keeps one entry per action and its first menu,
    // so an action shared by menus made one after another would not be seen
    // in the later ones.
    QActionGroup* group = oneOf ? new QActionGroup(menu) : nullptr;
    for (QAction* action : commands) {
        const auto command = std::find_if(m_commands.cbegin(), m_commands.cend(),
                                          [action](const Command& c) { return c.action == action; });
        QAction* item = menu->addAction(action->text());
        item->setEnabled(action->isEnabled());
        item->setCheckable(action->isCheckable());
        item->setChecked(action->isChecked());
        if (group)
            group->addAction(item);
        connect(item, &QAction::triggered, menu, [run = command->run] { run(); });
    }
}

#pragma once
// What the user can ask of the media player control, each defined once as a
// QAction: its caption, its keys, when it is enabled and whether it is
// checked. What plays is asked of the control's session, and the commands
// follow what the session announces. The context menu shows them (with items
// of its own, made from the actions each time it opens), the keys (while the
// control has focus, and in full screen) run them, and the bar's position
// buttons act through them and are enabled with them.
//
// A key runs its command even while the command is disabled (the command
// itself then does nothing), and counts as handled, except Esc, which is
// left to others unless the control is full screen.

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class MediaPlayer;
class QAction;
class QActionGroup;
class QKeyEvent;
class QMenu;
class QWidget;

class MediaPlayerCommands : public QObject {
    Q_OBJECT
public:
    explicit MediaPlayerCommands(MediaPlayer* player);
    ~MediaPlayerCommands() override;

    // Captions, enabled and checked states as the control stands now.
    void refresh();
    // Runs the command the key belongs to; false when it is none of them.
    bool runKey(const QKeyEvent* event);
    // The context menu as it stands now, made anew from the commands.
    std::unique_ptr<QMenu> makeMenu(QWidget* parent);

    QAction* playPause = nullptr;   // Space
    QAction* stop = nullptr;
    QAction* back = nullptr;        // the position buttons: 10 seconds
    QAction* ahead = nullptr;
    QAction* toStart = nullptr;     // Home
    QAction* keyBack = nullptr;     // Left and Right: 5 seconds
    QAction* keyAhead = nullptr;
    QAction* fullScreen = nullptr;  // F, F11, Alt+Enter
    QAction* leaveFullScreen = nullptr;  // Esc
    QAction* volumeUp = nullptr;    // Up
    QAction* volumeDown = nullptr;  // Down
    QAction* mute = nullptr;        // M
    QAction* properties = nullptr;
    QAction* statistics = nullptr;
    QAction* contextMenu = nullptr;  // Menu, Shift+F10
    QList<QAction*> zooms;           // 50%, 100%, 200%, fitted
    QList<QAction*> rates;           // PlaybackRates(): 0.5, 1, 1.5, 2 times

private:
    struct Command {
        QAction* action;
        std::function<void()> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;  // empty: not checkable
        bool keyOnlyWhenEnabled = false;
    };
    // Items in menu that show and run the commands; oneOf: a radio group.
    void addItems(QMenu* menu, const QList<QAction*>& commands, bool oneOf = false);
    QAction* add(const QString& caption, const QList<QKeySequence>& keys, std::function<void()> run,
                 std::function<bool()> enabled, std::function<bool()> checked = {});

    MediaPlayer* m_player;
    std::vector<Command> m_commands;
    QActionGroup* m_zoomGroup = nullptr;
    QActionGroup* m_rateGroup = nullptr;
};

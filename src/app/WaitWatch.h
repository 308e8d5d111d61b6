#pragma once
// Knows when a handler waits for the user: the file dialogs and message
// boxes of the window pass through here, and while one of them is up the
// window counts as waiting. Requests from outside are held back meanwhile.

#include "controls/dialogs/FileDialogs.h"
#include "controls/dialogs/MessageBoxes.h"

#include <QObject>

class WaitWatch : public QObject {
    Q_OBJECT
public:
    WaitWatch(FileDialogs& dialogs, MessageBoxes& messages);
    ~WaitWatch() override;

    // The dialogs and message boxes to use: the given ones, watched.
    FileDialogs& dialogs() { return m_watchedDialogs; }
    MessageBoxes& messages() { return m_watchedMessages; }

    // True while a dialog or message box of a handler is up.
    bool waiting() const { return m_depth > 0; }

signals:
    // The last dialog or message box closed (its handler still runs on).
    void waitEnded();

private:
    // Runs a wait, counted.
    template <typename Wait>
    auto counted(Wait wait);

    class Dialogs final : public FileDialogs {
    public:
        Dialogs(WaitWatch& watch, FileDialogs& inner) : m_watch(watch), m_inner(inner) {}
        std::optional<QString> showOpen(const FileDialogRequest& request) override;
        std::optional<QString> showSave(const FileDialogRequest& request) override;

    private:
        WaitWatch& m_watch;
        FileDialogs& m_inner;
    };
    class Messages final : public MessageBoxes {
    public:
        Messages(WaitWatch& watch, MessageBoxes& inner) : m_watch(watch), m_inner(inner) {}
        void show(const QString& text, const QString& title) override;
        void beep() override { m_inner.beep(); }

    private:
        WaitWatch& m_watch;
        MessageBoxes& m_inner;
    };

    Dialogs m_watchedDialogs;
    Messages m_watchedMessages;
    int m_depth = 0;
};

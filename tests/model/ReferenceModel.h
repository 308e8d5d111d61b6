#pragma once
// A small model of what the main window must look like after each action of
// a user, kept apart from the program's code: the play list, the shared
// state, the title line, status-bar panel 2, the visible components and the
// enabled state of every menu item, moved from mode to mode (idle, playing
// files, list open, CD mode) the way each handler's steps move them.
//
// The model is told what the outside world answered (the dialog's path, what
// the list file held, whether a file could be written); it decides nothing
// about the file system itself.

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace model {

struct ReferenceModel {
    ReferenceModel();

    // ---- what the window must show ----
    QStringList list1;          // full paths; List2 holds their names
    QString label2;
    QString playFile;
    int listNo = 0;
    QString listFileName;
    QString saveListName;
    QString panel2;
    int pictureNo = 1;
    int slideNo = 1;
    int pictureCount = 0;       // files of the picture list
    bool timerOn = true;
    QString playerFile;         // what MediaPlayer1 was last given
    bool playerVisible = false;
    bool playerEnabled = true;
    bool cdVisible = false;
    QMap<QString, bool> enabled;  // every menu item by name
    QStringList messages;        // message boxes and beeps ("<beep>") in order

    // The name List2 shows for a path: the text after its last separator.
    static QString nameOf(const QString& path);
    QStringList names() const;

    // Whether a user can choose the item: it and its top-level item are
    // enabled (a top-level item is its own top).
    bool canChoose(const QString& item) const;

    // ---- the handlers' effects ----
    // chosen: the dialog's path, or nothing for a cancel.
    void openMedia(const std::optional<QString>& chosen);
    void pickEntry(int index);
    // read: what the list file held, or nothing when it could not be read.
    void openList(const std::optional<QString>& chosen, const std::optional<QStringList>& read);
    void saveListAs(const std::optional<QString>& chosen, bool written);
    void overwriteList(bool written);
    void deleteEntry(int selected);
    void closeList();
    void enterCd();
    void leaveCd();
    void tick();
    void clickPicture();
    void chooseFullSet();
    void chooseStandardSet();
    void chooseNoBackground();

private:
    void set(std::initializer_list<const char*> items, bool on);
};

} // namespace model

#pragma once
// frmMain: the main window. It owns every control, menu item and piece of
// shared state; each behaviour is a handler named after its control and
// event, defined in the folder of its subsystem.

#include "app/Platform.h"
#include "app/WaitWatch.h"
#include "controls/dialogs/CommonDialog.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

class ClickableLabel;
class FileListBox;
class ListBox;
class MediaPlayer;
class MMControl;
class QAction;
class QLabel;
class QMenu;
class StatusBar;
class Timer;
class frmBrowser22;
class frmVersion;

class frmMain : public QMainWindow {
    Q_OBJECT
    // First of all: the dialogs and message boxes below pass through it.
    WaitWatch m_waits;

public:
    explicit frmMain(const Platform& platform, QWidget* parent = nullptr);
    ~frmMain() override;

    // The program folder, always ending in exactly one separator.
    QString MyPath() const;
    // The program folder as the platform reports it (no separator added).
    QString AppPath() const;
    // The folder the media and list dialogs start in: the program folder,
    // or where the platform says when that cannot be written.
    QString DialogFolder() const;

    // Shows the window with its client area at its fixed place near the
    // top-left corner of the screen.
    void showAtDesignPlace();

    // ---- start-up and shutdown (app/) ----
    void Form_Load();
    void Form_Unload();
    void mnuEnd_Click();

    // ---- playback (playback/) ----
    void mnuFileOpen_Click();
    // mnuFileOpen_Click in its two parts: the dialog (false on cancel), then
    // playing and listing the chosen file.
    bool askMediaFileToOpen();
    void playOpenedMediaFile(const QString& path);
    // The door every media file from outside passes (dialog, drop, command
    // line): false, after saying so, for a name that cannot be listed.
    bool admitMediaFileName(const QString& path);
    void List2_Click();
    void Picture2_Click();

    // ---- play lists (playlist/) ----
    void mnuListOpen_Click();
    // mnuListOpen_Click in its three parts: the start sound in place of the
    // media, the dialog (false on cancel), then reading the chosen file.
    void quietPlayerForListOpen();
    bool askListFileToOpen();
    void readOpenedListFile(const QString& path);
    void mnuListNewSave_Click();
    void mnuListReSave_Click();
    void mnuHenAdd_Click();
    void mnuListDelete_Click();
    void mnuListClose_Click();

    // ---- CD (cd/) ----
    void mnuCD_Click();
    void mnuCDEnd_Click();

    // ---- background pictures (background/) ----
    void Timer1_Timer();
    void Image1_Click();
    void mnuSetJpg_Click();
    void mnuSetDft_Click();
    void mnuSetNo_Click();

    // ---- shared steps ----
    // Appends each path to List1 and its name (NameOfPath) to List2, as one
    // step (playback/).
    void AddToPlayList(const QStringList& paths);
    // True while a handler waits in a file dialog or a message box.
    bool HandlerWaits() const;
    // True once the program has begun to end.
    bool isEnding() const { return m_ending; }

    // ---- what the doors from outside ask (desktop/); they read no menu ----
    enum class Mode { Media, Cd };
    // The window's mode: CD player mode or not. The CD handlers set it and
    // announce it (cdModeChanged); the answers below change only with it.
    Mode mode() const { return m_mode; }
    // Files from outside may be taken now: played and listed as if opened.
    bool MayTakeFiles() const;
    // A list file may be opened now.
    bool MayOpenList() const;
    // The play list can be stepped through (its next and previous entry).
    bool CanStepList() const;
    // Changes whenever the play list is replaced (read from a file or
    // closed) or the mode changes: a request made before then is stale.
    quint64 listGeneration() const { return m_listGeneration; }

    // ---- help (help/) ----
    void mnuHelpHtm_Click();
    void mnuHelpVersion_Click();

    // ---- controls ----
    Timer* Timer1 = nullptr;
    StatusBar* SB1 = nullptr;
    QWidget* Picture3 = nullptr;
    QLabel* Label2 = nullptr;
    QWidget* Picture1 = nullptr;
    ListBox* List3 = nullptr;
    FileListBox* File1 = nullptr;
    MMControl* MMControl1 = nullptr;
    ClickableLabel* Image1 = nullptr;
    MediaPlayer* MediaPlayer1 = nullptr;
    CommonDialog CommonDialog2;
    ClickableLabel* Picture2 = nullptr;
    ListBox* List2 = nullptr;
    ListBox* List1 = nullptr;
    CommonDialog CommonDialog1;
    QLabel* Label1 = nullptr;

    // ---- menus (top-level items are their menus' actions) ----
    QAction* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuEnd = nullptr;
    QAction* mnuSpace = nullptr;
    QAction* mnuList = nullptr;
    QAction* mnuListOpen = nullptr;
    QAction* mnuListNewSave = nullptr;
    QAction* mnuListReSave = nullptr;
    QAction* mnuListClose = nullptr;
    QAction* mnuSpace2 = nullptr;
    QAction* mnuHensyu = nullptr;
    QAction* mnuListDelete = nullptr;
    QAction* mnuHenAdd = nullptr;
    QAction* mnuSpace3 = nullptr;
    QAction* mnuCdPlayer = nullptr;
    QAction* mnuCD = nullptr;
    QAction* mnuCDEnd = nullptr;
    QAction* mnuSpace4 = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuHelpHtm = nullptr;
    QAction* mnuHelpVersion = nullptr;
    QAction* mnuSpace5 = nullptr;
    QAction* mnuSep6 = nullptr;
    QAction* mnuSet = nullptr;
    QAction* mnuSetJpg = nullptr;
    QAction* mnuSetDft = nullptr;
    QAction* mnuSetNo = nullptr;

    // ---- shared state ----
    QString PlayFile;
    int ListNo = 0;
    QString ListFileName;
    // The format ListFileName was read in, by its name in the list formats
    // table: "リストを上書き保存" writes that format again.
    QString ListFileFormat;
    QString SaveListName;
    int PictureNo = 0;
    qint16 SlideNo = 0;

    // The other windows, while they are open.
    QPointer<frmBrowser22> browserWindow;
    QPointer<frmVersion> versionWindow;

    // The title of the program's message boxes.
    static QString messageTitle() { return QStringLiteral("Sorvanel"); }
    // The start sound that several handlers give the player in place of its
    // media: a bare name, found in the current folder (the player's own).
    static QString startSound();
    const Platform& platform() const { return m_platform; }

signals:
    // The window entered or left CD player mode (mode()): the CD control is
    // the player from now on, or the media player control again. Sent by the
    // CD handlers once their steps are done.
    void cdModeChanged(bool on);
    // The last dialog or message box of a handler closed; the handler itself
    // may still be running.
    void handlerWaitEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();
    void showMessage(const QString& text);
    // Enters mode and announces it; a mode change makes older requests stale.
    void setMode(Mode mode);
    // Closes the help and version windows, if open (help/).
    void closeOtherWindows();

    Platform m_platform;
    bool m_ending = false;
    Mode m_mode = Mode::Media;
    quint64 m_listGeneration = 0;
};

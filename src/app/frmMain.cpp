#include "app/frmMain.h"

#include "app/ClientPlacement.h"
#include "art/AppIcon.h"
#include "controls/forms/ClickableFrame.h"
#include "controls/forms/DesktopPalette.h"
#include "controls/forms/FileListBox.h"
#include "controls/forms/ListBox.h"
#include "controls/cdplayer/MMControl.h"
#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/forms/StatusBar.h"
#include "controls/forms/Timer.h"
#include "controls/forms/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {
// The Japanese proportional gothic of the lists and the title line.
QFont japaneseFont()
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(11.25);
    font.setWeight(QFont::Normal);
    return font;
}

void setColours(QWidget* widget, const QColor& text, const QColor& background)
{
    QPalette palette = widget->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, text);
    for (auto role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A picture box without a picture shows the desktop's plain face colour.
void plainBackground(QWidget* box)
{
    QPalette palette = desktopPalette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    box->setPalette(palette);
    box->setAutoFillBackground(true);
}

template <typename W>
W* place(W* widget, double left, double top, double width, double height)
{
    widget->setGeometry(twips::rect(left, top, width, height));
    return widget;
}
} // namespace

frmMain::frmMain(const Platform& platform, QWidget* parent)
    : QMainWindow(parent),
      m_waits(*platform.dialogs, *platform.messages),
      CommonDialog2(m_waits.dialogs()),
      CommonDialog1(m_waits.dialogs()),
      m_platform(platform)
{
    m_platform.dialogs = &m_waits.dialogs();
    m_platform.messages = &m_waits.messages();
    connect(&m_waits, &WaitWatch::waitEnded, this, &frmMain::handlerWaitEnded);
    setWindowTitle(QStringLiteral("Kordaline"));
    setWindowIcon(art::appIcon());
    buildControls();
    buildMenus();
    connectHandlers();
}

frmMain::~frmMain() = default;

void frmMain::buildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    client->setFixedSize(twips::toPixels(13095), twips::toPixels(8340));
    setColours(client, Qt::white, Qt::black);
    setCentralWidget(client);

    Timer1 = new Timer(this);
    Timer1->setInterval(5000);

    SB1 = place(new StatusBar({twips::toPixels(1440), 0, twips::toPixels(1440), twips::toPixels(1440)}, client),
                0, 8085, 13095, 255);
    SB1->setObjectName(QStringLiteral("SB1"));
    SB1->setAccessibleName(QStringLiteral("ステータスバー"));
    SB1->setPalette(desktopPalette());
    SB1->setAutoFillBackground(true);
    SB1->setPanelText(1, QStringLiteral("ListName"));

    Picture3 = place(new QWidget(client), 720, 0, 2415, 375);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setAccessibleName(QStringLiteral("タイトル行"));
    Label2 = place(new QLabel(Picture3), 0, 0, 2415, 375);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setFont(japaneseFont());
    setColours(Label2, QColor(0, 255, 0), Qt::black);

    Picture1 = place(new QWidget(client), 3240, 0, 9855, 8175);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    plainBackground(Picture1);
    List3 = place(new ListBox(Picture1), 2040, 3960, 2415, 2940);
    List3->setObjectName(QStringLiteral("List3"));
    List3->hide();
    File1 = place(new FileListBox(Picture1), 4680, 3840, 1695, 2970);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*.jpg"));
    File1->hide();
    MMControl1 = place(new MMControl(m_platform.cdDrives, m_platform.mediaEngines, Picture1), 0, 7320, 2370, 495);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    Image1 = place(new ClickableLabel(Picture1), 0, 960, 7455, 6375);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MediaPlayer1 = new MediaPlayer(m_platform.mediaEngines, Picture1);
    MediaPlayer1->setTagReader(m_platform.tagReader);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    MediaPlayer1->setDesignGeometry(twips::rect(0, 120, 4290, 3375));
    // A picture is drawn beneath every windowed control of the display area.
    Image1->lower();

    Picture2 = place(new ClickableLabel(client), 3120, 0, 135, 8175);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    plainBackground(Picture2);

    List2 = place(new ListBox(client), 0, 360, 3135, 7710);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setAccessibleName(QStringLiteral("プレイリスト"));
    List2->setFont(japaneseFont());
    setColours(List2, QColor(0, 0, 192), QColor(192, 192, 255));

    List1 = place(new ListBox(client), 0, 360, 2055, 4200);
    List1->setObjectName(QStringLiteral("List1"));
    List1->hide();

    Label1 = place(new QLabel(QStringLiteral("タイトル"), client), 0, 120, 735, 255);
    Label1->setObjectName(QStringLiteral("Label1"));
    setColours(Label1, QColor(0, 255, 0), Qt::black);

    // The picture boxes reach below the status bar's top edge: the status
    // bar is drawn over them, whole.
    SB1->raise();
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto topMenu = [&](const QString& caption, const char* name) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto item = [&](QMenu* menu, const QString& caption, const char* name) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    auto separator = [&](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); };
    auto spacer = [&](const QString& caption, const char* name) {
        QAction* action = bar->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };

    QMenu* file = topMenu(QStringLiteral("ファイル"), "mnuFile");
    mnuFile = file->menuAction();
    mnuFileOpen = item(file, QStringLiteral("メディアファイルを開く"), "mnuFileOpen");
    separator(file, "mnuSep3");
    mnuEnd = item(file, QStringLiteral("終了する"), "mnuEnd");
    mnuEnd->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuSpace = spacer(QStringLiteral("          "), "mnuSpace");

    QMenu* list = topMenu(QStringLiteral("リスト"), "mnuList");
    mnuList = list->menuAction();
    mnuListOpen = item(list, QStringLiteral("リストファイルを開く"), "mnuListOpen");
    separator(list, "mnuSep4");
    mnuListNewSave = item(list, QStringLiteral("名前を付けてリストを保存"), "mnuListNewSave");
    separator(list, "mnuSep1");
    mnuListReSave = item(list, QStringLiteral("リストを上書き保存"), "mnuListReSave");
    separator(list, "mnuSep2");
    mnuListClose = item(list, QStringLiteral("リストを閉じる"), "mnuListClose");

    mnuSpace2 = spacer(QStringLiteral(" 　　　　 "), "mnuSpace2");

    QMenu* edit = topMenu(QStringLiteral("編集"), "mnuHensyu");
    mnuHensyu = edit->menuAction();
    mnuListDelete = item(edit, QStringLiteral("ファイルを削除する"), "mnuListDelete");
    separator(edit, "mnuSep8");
    mnuHenAdd = item(edit, QStringLiteral("ファイルを追加する"), "mnuHenAdd");

    mnuSpace3 = spacer(QStringLiteral("    "), "mnuSpace3");

    QMenu* cd = topMenu(QStringLiteral("CDプレーヤー"), "mnuCdPlayer");
    mnuCdPlayer = cd->menuAction();
    mnuCD = item(cd, QStringLiteral("CDを演奏する"), "mnuCD");
    separator(cd, "mnuSep5");
    mnuCDEnd = item(cd, QStringLiteral("CDを終了する"), "mnuCDEnd");

    mnuSpace4 = spacer(QStringLiteral("    "), "mnuSpace4");

    QMenu* help = topMenu(QStringLiteral("ヘルプ"), "mnuHelp");
    mnuHelp = help->menuAction();
    mnuHelpHtm = item(help, QStringLiteral("HELPを開く"), "mnuHelpHtm");
    separator(help, "mnuSep7");
    mnuHelpVersion = item(help, QStringLiteral("Version　情報"), "mnuHelpVersion");

    mnuSpace5 = spacer(QStringLiteral("    "), "mnuSpace5");
    mnuSep6 = spacer(QString(), "mnuSep6");

    QMenu* set = topMenu(QStringLiteral("背景表示"), "mnuSet");
    mnuSet = set->menuAction();
    mnuSetJpg = item(set, QStringLiteral("成人向け"), "mnuSetJpg");
    separator(set, "Sep1");
    mnuSetDft = item(set, QStringLiteral("標準画像"), "mnuSetDft");
    separator(set, "Sep2");
    separator(set, "Sep3");
    mnuSetNo = item(set, QStringLiteral("背景を無くす"), "mnuSetNo");
    // Qt folds neighbouring separators into one unless told not to.
    set->setSeparatorsCollapsible(false);
}

void frmMain::connectHandlers()
{
    connect(mnuEnd, &QAction::triggered, this, &frmMain::mnuEnd_Click);
    connect(mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
    connect(List2, &ListBox::Click, this, &frmMain::List2_Click);
    connect(Picture2, &ClickableLabel::Click, this, &frmMain::Picture2_Click);
    connect(mnuListOpen, &QAction::triggered, this, &frmMain::mnuListOpen_Click);
    connect(mnuListNewSave, &QAction::triggered, this, &frmMain::mnuListNewSave_Click);
    connect(mnuListReSave, &QAction::triggered, this, &frmMain::mnuListReSave_Click);
    connect(mnuHenAdd, &QAction::triggered, this, &frmMain::mnuHenAdd_Click);
    connect(mnuListDelete, &QAction::triggered, this, &frmMain::mnuListDelete_Click);
    connect(mnuListClose, &QAction::triggered, this, &frmMain::mnuListClose_Click);
    connect(mnuCD, &QAction::triggered, this, &frmMain::mnuCD_Click);
    connect(mnuCDEnd, &QAction::triggered, this, &frmMain::mnuCDEnd_Click);
    connect(Timer1, &Timer::Tick, this, &frmMain::Timer1_Timer);
    connect(Image1, &ClickableLabel::Click, this, &frmMain::Image1_Click);
    connect(mnuSetJpg, &QAction::triggered, this, &frmMain::mnuSetJpg_Click);
    connect(mnuSetDft, &QAction::triggered, this, &frmMain::mnuSetDft_Click);
    connect(mnuSetNo, &QAction::triggered, this, &frmMain::mnuSetNo_Click);
    connect(mnuHelpHtm, &QAction::triggered, this, &frmMain::mnuHelpHtm_Click);
    connect(mnuHelpVersion, &QAction::triggered, this, &frmMain::mnuHelpVersion_Click);
}

void frmMain::showAtDesignPlace()
{
    // The client area (below the menu bar) sits 150 twips from the left and
    // 615 twips from the top of the screen.
    const QPoint clientTopLeft(twips::toPixels(150), twips::toPixels(615));
    adjustSize();
    showWithClientAt(this, {clientTopLeft.x(), qMax(0, clientTopLeft.y() - menuBar()->sizeHint().height())});
}

void frmMain::showMessage(const QString& text)
{
    m_platform.messages->show(text, messageTitle());
}

QString frmMain::startSound()
{
    return MediaSession::startSound();
}

bool frmMain::HandlerWaits() const
{
    return m_waits.waiting() || QApplication::activeModalWidget() != nullptr;
}

void frmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

#pragma once
// frmBrowser22: the help browser window ("Internet Browser"). An address box
// with a few preset addresses, a toolbar that loads the address or closes the
// window, and the web browser control WB that shows the page. The window is
// modeless, has no owner and deletes itself when it is closed.

#include "app/Platform.h"

#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QToolBar;
class WebBrowser;

class frmBrowser22 : public QWidget {
    Q_OBJECT
public:
    // makeView makes the web view of WB.
    explicit frmBrowser22(const WebViewMaker& makeView, QWidget* parent = nullptr);
    ~frmBrowser22() override;

    // ---- handlers ----
    void Form_Load();
    void Form_Click();
    void Form_Resize();
    // A key typed in the address box; only Enter (13) has an action, every
    // key goes on to the box as typed.
    void Combo1_KeyPress(qint16 KeyAscii);
    void Combo1_Click();
    void Toolbar1_ButtonClick(const QString& key);

    // Loads the text of the address box, exactly as it stands.
    void NavigateToAddress();

    // The text of the address box (Combo1.Text).
    QString addressText() const;
    void setAddressText(const QString& text);

    // The toolbar button with the given key, or nullptr.
    QAction* toolbarButton(const QString& key) const;

    // ---- controls ----
    QToolBar* Toolbar1 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Combo1 = nullptr;
    WebBrowser* WB = nullptr;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

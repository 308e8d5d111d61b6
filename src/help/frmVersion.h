#pragma once
// frmVersion: the version window ("Version情報"). The program's name, version
// and date, its icon and a credit line, all fixed. The name button closes the
// window; the version button does nothing. Modeless, no owner; it deletes
// itself when it is closed.

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

class frmVersion : public QWidget {
    Q_OBJECT
public:
    explicit frmVersion(QWidget* parent = nullptr);
    ~frmVersion() override;

    void Command1_Click();

    // The version and the date the window shows.
    static QString versionText() { return QStringLiteral("Ver.4.0"); }
    static QString dateText() { return QStringLiteral("１９９９．１０．２５"); }

    // ---- controls ----
    // The frame holding the others; it carries the window's name.
    QGroupBox* Frame = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};

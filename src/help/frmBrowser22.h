#pragma once
// STUB: replaced by the help browser window.
#include <QWidget>
class frmBrowser22 : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

#pragma once
// STUB: replaced by the version window.
#include <QWidget>
class frmVersion : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

#pragma once
// CommonDialog1 / CommonDialog2: the common file dialog component. The
// properties are set before each showing; FileName is kept between showings
// and holds the chosen path afterwards. A cancel is reported as the error
// number cdlCancel, the one thing the handlers test.

#include "controls/dialogs/FileDialogs.h"

#include <QString>

constexpr int cdlCancel = 32755;

class CommonDialog {
public:
    explicit CommonDialog(FileDialogs& dialogs) : m_dialogs(dialogs) {}

    QString InitDir;
    QString DialogTitle;
    QString Filter;
    QString FileName;

    // 0 when a file was chosen (FileName holds it), cdlCancel when cancelled.
    [[nodiscard]] int ShowOpen();
    [[nodiscard]] int ShowSave();

private:
    FileDialogRequest request() const { return {InitDir, DialogTitle, Filter, FileName}; }
    int take(const std::optional<QString>& chosen);

    FileDialogs& m_dialogs;
};

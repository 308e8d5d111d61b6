#include "controls/dialogs/CommonDialog.h"

int CommonDialog::ShowOpen()
{
    return take(m_dialogs.showOpen(request()));
}

int CommonDialog::ShowSave()
{
    return take(m_dialogs.showSave(request()));
}

int CommonDialog::take(const std::optional<QString>& chosen)
{
    if (!chosen)
        return cdlCancel;
    FileName = *chosen;
    return 0;
}

#include "controls/dialogs/TypedPathAcceptance.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace {
// Watches the accept button: whenever the dialog disables it, it is enabled
// again if the typed text may be accepted.
class TypedPathAcceptance final : public QObject {
public:
    TypedPathAcceptance(QFileDialog& dialog, QLineEdit* nameBox, QPushButton* button)
        : QObject(&dialog), m_dialog(dialog), m_nameBox(nameBox), m_button(button)
    {
        m_button->installEventFilter(this);
        // After the dialog's own judgement of the same change.
        connect(m_nameBox, &QLineEdit::textChanged, this, &TypedPathAcceptance::update);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_button && event->type() == QEvent::EnabledChange)
            update();
        return false;
    }

private:
    bool typedTextAccepted() const
    {
        const QString text = m_nameBox->text().trimmed();
        if (text.isEmpty())
            return false;
        if (m_dialog.acceptMode() == QFileDialog::AcceptSave)
            return true;
        const QString path = QDir(m_dialog.directory()).absoluteFilePath(QDir::fromNativeSeparators(text));
        return QFileInfo(path).isFile();
    }

    void update()
    {
        if (!m_button->isEnabled() && typedTextAccepted())
            m_button->setEnabled(true);
    }

    QFileDialog& m_dialog;
    QLineEdit* m_nameBox = nullptr;
    QPushButton* m_button = nullptr;
};
} // namespace

void acceptTypedPaths(QFileDialog& dialog)
{
    auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (!nameBox || !buttons)
        return;
    QPushButton* button = buttons->button(dialog.acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                                      : QDialogButtonBox::Open);
    if (button)
        new TypedPathAcceptance(dialog, nameBox, button);
}

#include "controls/forms/StyleIcon.h"

#include <QEvent>

namespace {
constexpr char kWanted[] = "sorvanStandardIcon";
constexpr char kApplied[] = "sorvanStandardIconApplied";

void apply(QAbstractButton* button)
{
    const QVariant wanted = button->property(kWanted);
    if (!wanted.isValid() || button->property(kApplied) == wanted)
        return;
    button->setIcon(button->style()->standardIcon(QStyle::StandardPixmap(wanted.toInt())));
    button->setProperty(kApplied, wanted);
}

class ApplyOnShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            apply(static_cast<QAbstractButton*>(watched));
        return false;
    }
};
} // namespace

void setStandardIconWhenShown(QAbstractButton* button, QStyle::StandardPixmap icon)
{
    button->setProperty(kWanted, int(icon));
    if (button->isVisible()) {
        apply(button);
        return;
    }
    static ApplyOnShow* filter = new ApplyOnShow();  // lives as long as the process
    button->removeEventFilter(filter);
    button->installEventFilter(filter);
}

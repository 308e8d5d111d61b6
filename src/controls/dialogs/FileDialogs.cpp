#include "controls/dialogs/FileDialogs.h"

#include "controls/dialogs/TypedPathAcceptance.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

QStringList qtNameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns.trimmed());
    }
    return result;
}

void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool forSaving)
{
    const auto mode = forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
    dialog.setWindowTitle(request.title);
    dialog.setDirectory(request.initDir);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Qt's own dialog: the same on every desktop, and readable through the
    // accessibility interface.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // The captions already name their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    acceptTypedPaths(dialog);
}

namespace {
std::optional<QString> runDialog(const FileDialogRequest& request, bool forSaving)
{
    QFileDialog dialog(QApplication::activeWindow());
    prepareFileDialog(dialog, request, forSaving);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
} // namespace

std::optional<QString> QtFileDialogs::showOpen(const FileDialogRequest& request)
{
    return runDialog(request, false);
}

std::optional<QString> QtFileDialogs::showSave(const FileDialogRequest& request)
{
    return runDialog(request, true);
}

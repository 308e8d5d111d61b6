#pragma once
// The file dialogs, behind an interface so that handlers run in tests
// without a person at the screen.

#include <QString>
#include <optional>

struct FileDialogRequest {
    QString initDir;
    QString title;
    QString filter;    // "caption|patterns|caption|patterns", patterns joined by ';'
    QString fileName;  // the name the dialog starts with
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> showOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> showSave(const FileDialogRequest& request) = 0;
};

// Qt's own file dialog, modal, parented to the active window.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> showOpen(const FileDialogRequest& request) override;
    std::optional<QString> showSave(const FileDialogRequest& request) override;
};

// Turns "caption|patterns|caption|patterns" into Qt's name filters
// ("caption (pattern pattern)"); patterns are split at ';'.
QStringList qtNameFilters(const QString& filter);

class QFileDialog;
// Sets Qt's own (not the platform's) file dialog up for a request: title,
// folder, file types, the starting name, and typed paths accepted whatever
// the chosen type.
void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool forSaving);

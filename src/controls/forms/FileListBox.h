#pragma once
// File1: lists, sorted by name, the names of the files in its folder that
// match its pattern (compared without regard to case). Hidden and system
// files are left out.

#include "controls/forms/ListBox.h"

class FileListBox : public ListBox {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr) : ListBox(parent) {}

    QString Pattern() const { return m_pattern; }
    void setPattern(const QString& pattern) { m_pattern = pattern; refresh(); }
    QString Path() const { return m_path; }
    // Points the list at folder and lists it again.
    void setPath(const QString& folder) { m_path = folder; refresh(); }

private:
    void refresh();

    QString m_pattern = QStringLiteral("*.*");
    QString m_path;
};

// The names in folder matching pattern, as File1 lists them.
QStringList listMatchingFiles(const QString& folder, const QString& pattern);

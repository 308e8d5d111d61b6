#pragma once
// Qt's own file dialog judges a typed name against the folder listing that
// the chosen file type filters, so a typed path of a file of another type
// leaves the Open button disabled and Enter does nothing. The file type
// chooses what is listed, not what may be typed.

class QFileDialog;

// Keeps the dialog's accept button enabled while the name box holds the path
// (full, or relative to the shown folder) of an existing file, whatever the
// chosen file type (open), or any name at all (save).
void acceptTypedPaths(QFileDialog& dialog);

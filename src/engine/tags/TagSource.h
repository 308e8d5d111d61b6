#pragma once
// A media file's bytes as the tag readers see them: the file is opened once,
// by its name's bytes, and kept only when it is a regular file (a pipe or a
// device is refused without waiting); every later read goes through that
// handle, whatever the name leads to by then. At most kTagReadBudget bytes
// are read in all, at any offsets: enough for the tags at the start or the
// end of a file and for a cover picture of a few MiB, with the headers of
// chunks between them, but never a scan of a whole large file.

#include <QByteArray>
#include <QString>

#include "system/RegularFile.h"

inline constexpr qint64 kTagReadBudget = 4 * 1024 * 1024;

class TagSource {
public:
    explicit TagSource(const QString& path, qint64 budget = kTagReadBudget);

    // Whether the path opened as a regular file.
    bool isOpen() const { return m_file.isOpen(); }
    // The size it had when opened.
    qint64 size() const { return m_file.size(); }
    // At most size bytes from offset: fewer at the end of the file, none once
    // the budget is spent or on a failure to read.
    QByteArray readAt(qint64 offset, qint64 size);
    // The first bytes of the file, at most size of them, read further as
    // needed. They are kept: reading them again costs no budget.
    QByteArrayView start(qint64 size);

private:
    sys::RegularFile m_file;
    qint64 m_left;
    QByteArray m_start;
};

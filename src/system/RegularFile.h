#pragma once
// A file opened once for reading, kept only when the opened handle is a
// regular file. The opening never waits: a pipe without a writer or a device
// is opened without blocking and then refused, and what is read is what the
// check saw, whatever the path names by then. The name is opened by its bytes
// (system/FileNames.h), so any name the file system holds is found. One
// branch per system.

#include <QString>
#include <QtGlobal>

namespace sys {
class RegularFile {
public:
    explicit RegularFile(const QString& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Whether path opened as a regular file.
    bool isOpen() const;
    // The size it had when opened.
    qint64 size() const { return m_size; }
    // Reads at most max bytes into buffer: their count, 0 at the end, -1 on a failure.
    qint64 read(char* buffer, qint64 max);
    // Reads at most max bytes from offset: their count, 0 past the end, -1 on
    // a failure. Where read() goes on from afterwards is not kept.
    qint64 readAt(qint64 offset, char* buffer, qint64 max);
    // Goes back to the start, to read it all again; false on a failure.
    bool rewind();

private:
#ifdef Q_OS_WIN
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
    qint64 m_size = 0;
};
} // namespace sys

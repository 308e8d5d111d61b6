#pragma once
// What some tests need from the operating system beyond Qt: named pipes,
// a limit on file sizes, file names that are not text, and a child process
// killed in the middle of its work. Each reports whether this system offers
// it (Windows does not); a test without it is skipped, not failed.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace testsys {
// Makes a named pipe at path; false where it cannot be made.
bool makeFifo(const QString& path);
bool isFifo(const QString& path);

// Writes bytes into a new file whose name is the given bytes (which need not
// be valid text); false where it cannot be done.
bool writeFileWithRawName(const QByteArray& rawName, const QByteArray& bytes);

// While it lives, no file of this process may grow past the limit: a longer
// write fails part way, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    bool m_active = false;
    qint64 m_saved = 0;
    void (*m_savedHandler)(int) = nullptr;
};

// Runs work in a child process. When work calls reached(), the child stops
// there and is killed at once, as by a crash or a power cut. What the test
// learns: whether the child got there and whether it died by the kill.
struct KilledChild {
    bool supported = false;
    bool reached = false;
    bool killed = false;
};
// Runs work in a child process as a user without the superuser's rights (the
// superuser writes into any folder): work's answer, or nothing where no such
// child can be had. Files work touches must be open to that user.
std::optional<bool> runUnprivileged(const std::function<bool()>& work);

// With unprivileged, the child runs as a user without the superuser's rights
// (as runUnprivileged); supported is false where none can be had.
KilledChild runKilledAtCheckpoint(const std::function<void(const std::function<void()>& reached)>& work,
                                  bool unprivileged = false);
} // namespace testsys

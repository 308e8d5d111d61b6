#include "system/FileWriting.h"

#include "system/FileNames.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <QFileInfo>
#include <QSaveFile>
#include <io.h>
#else
#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
bool writeThrough(QIODevice& file, const QByteArray& bytes, const sys::FileWrite& write)
{
    return write ? write(file, bytes) : file.write(bytes) == bytes.size();
}
} // namespace

#ifdef Q_OS_WIN
namespace sys {
NameLeadsTo whatNameLeadsTo(const QString& name)
{
    const QFileInfo info(name);
    if (!info.exists())
        return info.isSymLink() ? NameLeadsTo::SomethingElse : NameLeadsTo::Nothing;
    return info.isFile() ? NameLeadsTo::RegularFile : NameLeadsTo::SomethingElse;
}

bool fileSizeAllowed(qint64)
{
    return true;
}

Replaced replaceFile(const QString& name, const QByteArray& bytes, const FileWrite& write)
{
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        const bool folderWritable = QFileInfo(QFileInfo(name).absolutePath()).isWritable();
        return folderWritable ? Replaced::No : Replaced::FolderTakesNoNewFile;
    }
    return writeThrough(file, bytes, write) && file.commit() ? Replaced::Yes : Replaced::No;
}

bool rewriteFileInPlace(const QString& name, const QByteArray& bytes, const FileWrite& write)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) || file.size() > kMaxRewrittenFileSize)
        return false;
    const QByteArray old = file.readAll();
    if (old.size() != file.size() || !file.seek(0))
        return false;
    if (writeThrough(file, bytes, write) && file.resize(bytes.size()) && _commit(file.handle()) == 0)
        return true;
    if (file.seek(0))
        file.write(old);
    file.resize(old.size());
    _commit(file.handle());
    return false;
}
} // namespace sys
#else
namespace {
// A file descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return m_fd; }
    // Closes it now; false when the system reports a failure (a late write error).
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Reads (or writes) the first size bytes of the file, whatever the signals.
bool transferAllAt(int fd, char* data, qint64 size, bool write)
{
    for (qint64 done = 0; done < size;) {
        const ssize_t n = write ? ::pwrite(fd, data + done, size_t(size - done), off_t(done))
                                : ::pread(fd, data + done, size_t(size - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool retried(const std::function<int()>& call)
{
    int result = 0;
    do
        result = call();
    while (result != 0 && errno == EINTR);
    return result == 0;
}

// The bytes go through a QFile over the descriptor, unbuffered: what a failed
// write left in a buffer could otherwise reach the file later.
bool writeThroughDescriptor(int fd, QIODevice::OpenMode mode, const QByteArray& bytes, const sys::FileWrite& write)
{
    QFile file;
    return file.open(fd, mode | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)
           && writeThrough(file, bytes, write);
}

// Room for size bytes, the length unchanged. A file system that cannot
// reserve still takes the bytes; a refusal for want of space fails here,
// before anything changed.
bool reserve(int fd, qint64 size)
{
#ifdef Q_OS_LINUX
    if (size == 0 || retried([&] { return ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)); }))
        return true;
    return errno == EOPNOTSUPP || errno == ENOSYS;
#else
    Q_UNUSED(fd);
    Q_UNUSED(size);
    return true;
#endif
}

// The old bytes back after a failed rewrite (at most newSize bytes of them
// were written over), never past the size limit, where a write would end
// the process.
void putBack(int fd, const QByteArray& old, qint64 newSize)
{
    const bool allowed = sys::fileSizeAllowed(old.size());
    transferAllAt(fd, const_cast<char*>(old.constData()), allowed ? old.size() : std::min<qint64>(old.size(), newSize),
                  true);
    struct stat status {};
    if (::fstat(fd, &status) == 0 && (allowed || status.st_size > old.size()))
        retried([&] { return ::ftruncate(fd, off_t(old.size())); });
    ::fsync(fd);
}

// A fresh name beside target for the new file.
QByteArray temporaryNameBeside(const QByteArray& target)
{
    return target + '.' + QByteArray::number(QRandomGenerator::global()->generate() | 0x10000000u, 16);
}
} // namespace

namespace sys {
NameLeadsTo whatNameLeadsTo(const QString& name)
{
    const QByteArray bytes = bytesOfName(name);
    struct stat status {};
    if (::stat(bytes.constData(), &status) == 0)
        return S_ISREG(status.st_mode) ? NameLeadsTo::RegularFile : NameLeadsTo::SomethingElse;
    if (errno == ENOENT && ::lstat(bytes.constData(), &status) != 0 && errno == ENOENT)
        return NameLeadsTo::Nothing;
    return NameLeadsTo::SomethingElse;
}

bool fileSizeAllowed(qint64 size)
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return true;
    return quint64(size) <= quint64(limit.rlim_cur);
}

Replaced replaceFile(const QString& name, const QByteArray& bytes, const FileWrite& write)
{
    QByteArray target = bytesOfName(name);
    struct stat status {};
    const bool exists = ::stat(target.constData(), &status) == 0;
    if (!exists && ::lstat(target.constData(), &status) == 0)
        return Replaced::No;  // a link that leads nowhere stays
    if (exists) {
        // A link's target is replaced, not the link.
        char* real = ::realpath(target.constData(), nullptr);
        if (!real)
            return Replaced::No;
        target = real;
        std::free(real);
        if (!S_ISREG(status.st_mode) || ::access(target.constData(), W_OK) != 0)
            return Replaced::No;
    }
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = temporaryNameBeside(target);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
            break;
    }
    if (fd < 0)
        return errno == EACCES || errno == EPERM || errno == EROFS ? Replaced::FolderTakesNoNewFile : Replaced::No;
    Descriptor file(fd);
    const bool written = (!exists || ::fchmod(fd, status.st_mode & 07777) == 0)
                         && writeThroughDescriptor(fd, QIODevice::WriteOnly, bytes, write) && ::fsync(fd) == 0
                         && file.close() && ::rename(temporary.constData(), target.constData()) == 0;
    if (!written)
        ::unlink(temporary.constData());
    return written ? Replaced::Yes : Replaced::No;
}

bool rewriteFileInPlace(const QString& name, const QByteArray& bytes, const FileWrite& write)
{
    Descriptor file(::open(bytesOfName(name).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    const int fd = file.fd();
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kMaxRewrittenFileSize)
        return false;
    QByteArray old(qsizetype(status.st_size), Qt::Uninitialized);
    if (!transferAllAt(fd, old.data(), old.size(), false))
        return false;
    // ext4 does not hold a reservation that keeps the length to the size
    // limit, so the limit is checked here; and a reservation that changed the
    // length would pad the file with NULs until the bytes are written.
    if (!fileSizeAllowed(bytes.size()) || !reserve(fd, bytes.size()))
        return false;
    // From the first write to the new length, a kill leaves a mix of both.
    const bool written = writeThroughDescriptor(fd, QIODevice::ReadWrite, bytes, write)
                         && retried([&] { return ::ftruncate(fd, off_t(bytes.size())); }) && ::fsync(fd) == 0;
    if (written)
        return true;
    putBack(fd, old, bytes.size());
    return false;
}
} // namespace sys
#endif

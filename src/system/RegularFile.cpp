#include "system/RegularFile.h"

#include "system/FileNames.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sys {
#ifdef Q_OS_WIN
RegularFile::RegularFile(const QString& path)
{
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    // Pipes and character devices are not files on a disk; a folder does not
    // open without FILE_FLAG_BACKUP_SEMANTICS.
    LARGE_INTEGER size;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        CloseHandle(handle);
        return;
    }
    m_handle = handle;
    m_size = size.QuadPart;
}

RegularFile::~RegularFile()
{
    if (m_handle)
        CloseHandle(m_handle);
}

bool RegularFile::isOpen() const
{
    return m_handle != nullptr;
}

qint64 RegularFile::read(char* buffer, qint64 max)
{
    DWORD got = 0;
    const DWORD want = DWORD(qMin<qint64>(max, 1 << 30));
    if (!m_handle || !ReadFile(m_handle, buffer, want, &got, nullptr))
        return -1;
    return got;
}

qint64 RegularFile::readAt(qint64 offset, char* buffer, qint64 max)
{
    OVERLAPPED at{};
    at.Offset = DWORD(offset & 0xFFFFFFFF);
    at.OffsetHigh = DWORD(quint64(offset) >> 32);
    DWORD got = 0;
    const DWORD want = DWORD(qMin<qint64>(max, 1 << 30));
    if (!m_handle || offset < 0)
        return -1;
    if (!ReadFile(m_handle, buffer, want, &got, &at))
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    return got;
}

bool RegularFile::rewind()
{
    LARGE_INTEGER start{};
    return m_handle && SetFilePointerEx(m_handle, start, nullptr, FILE_BEGIN);
}
#else
RegularFile::RegularFile(const QString& path)
{
    const QByteArray name = bytesOfName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_size = status.st_size;
}

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RegularFile::isOpen() const
{
    return m_fd >= 0;
}

qint64 RegularFile::read(char* buffer, qint64 max)
{
    if (m_fd < 0)
        return -1;
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size_t(max));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

qint64 RegularFile::readAt(qint64 offset, char* buffer, qint64 max)
{
    if (m_fd < 0 || offset < 0)
        return -1;
    for (;;) {
        const ssize_t got = ::pread(m_fd, buffer, size_t(max), off_t(offset));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

bool RegularFile::rewind()
{
    return m_fd >= 0 && ::lseek(m_fd, 0, SEEK_SET) == 0;
}
#endif
} // namespace sys

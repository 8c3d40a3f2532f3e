#include "scores/AppendFile.h"

#include "scores/FileKind.h"

#include <QFile>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

enum class Reason { IsFolder, NoFolder, NoPermission, ReadOnlyDisk, DiskFull, Locked, Other };

QString reasonText(Reason reason, const QString& systemText) {
    switch (reason) {
    case Reason::IsFolder:
        return notAFileText(FileKind::Folder);
    case Reason::NoFolder:
        return QStringLiteral("Složka pro soubor se skóre neexistuje.");
    case Reason::NoPermission:
        return QStringLiteral("Program nemá právo do souboru se skóre zapisovat.");
    case Reason::ReadOnlyDisk:
        return QStringLiteral("Disk se souborem se skóre je jen pro čtení.");
    case Reason::DiskFull:
        return QStringLiteral("Na disku není dost místa.");
    case Reason::Locked:
        return QStringLiteral("Soubor se skóre je uzamčen jiným programem.");
    case Reason::Other:
        break;
    }
    return QStringLiteral("Systém ohlásil chybu: %1").arg(systemText);
}

// Whether the path may be opened as the score file: a file or nothing yet. Anything else
// (a folder, a pipe, a device, a socket) is never opened.
bool mayOpen(FileKind kind) {
    return kind == FileKind::File || kind == FileKind::Missing;
}

} // namespace

#ifdef Q_OS_WIN

namespace {

Reason reasonOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return Reason::NoFolder;
    case ERROR_ACCESS_DENIED:
        return Reason::NoPermission;
    case ERROR_WRITE_PROTECT:
        return Reason::ReadOnlyDisk;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Reason::DiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Reason::Locked;
    default:
        return Reason::Other;
    }
}

constexpr qint64 lockOffset = qint64(0x7FFFFFFF) << 32;

OVERLAPPED atOffset(qint64 offset) {
    OVERLAPPED overlapped = {};
    overlapped.Offset = DWORD(offset & 0xFFFFFFFF);
    overlapped.OffsetHigh = DWORD(quint64(offset) >> 32);
    return overlapped;
}

} // namespace

AppendFile::AppendFile(const QString& path) : m_handle(INVALID_HANDLE_VALUE) {
    if (const FileKind kind = fileKindAt(path); !mayOpen(kind)) {
        m_errorText = notAFileText(kind);
        return;
    }
    m_handle =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Windows answers "access denied" for a folder too; tell the two apart.
        const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.utf16()));
        if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            m_errorText = reasonText(Reason::IsFolder, {});
        } else {
            fail(error);
        }
        return;
    }
    if (const FileKind kind = fileKindOfHandle(m_handle); kind != FileKind::File) {
        CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        m_errorText = notAFileText(kind);
        return;
    }
    // Copies of the program take turns on one byte far beyond any real data: Windows locks
    // are mandatory, and locking the data itself would make a reader fail meanwhile.
    OVERLAPPED lockAt = atOffset(lockOffset);
    LockFileEx(m_handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lockAt);
}

AppendFile::~AppendFile() {
    close();
}

bool AppendFile::isOpen() const {
    return m_handle != INVALID_HANDLE_VALUE;
}

std::optional<QByteArray> AppendFile::contents() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_handle, &size)) {
        fail(GetLastError());
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(size.QuadPart), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        OVERLAPPED from = atOffset(done);
        DWORD read = 0;
        const DWORD wanted = DWORD(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        if (!ReadFile(m_handle, bytes.data() + done, wanted, &read, &from)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                break; // cut shorter meanwhile by something that takes no lock
            }
            fail(error);
            return std::nullopt;
        }
        if (read == 0) {
            break; // cut shorter meanwhile by something that takes no lock
        }
        done += qsizetype(read);
    }
    bytes.truncate(done);
    return bytes;
}

bool AppendFile::append(QByteArrayView bytes) {
    // Both offset halves all ones: write at the end of the file, as one unit.
    OVERLAPPED atEnd = atOffset(-1);
    DWORD written = 0;
    const BOOL ok = WriteFile(m_handle, bytes.data(), DWORD(bytes.size()), &written, &atEnd);
    const DWORD error = ok ? ERROR_DISK_FULL : GetLastError();
    if (ok && written == DWORD(bytes.size())) {
        return true;
    }
    LARGE_INTEGER size;
    if (written > 0 && GetFileSizeEx(m_handle, &size)) {
        FILE_END_OF_FILE_INFO end = {};
        end.EndOfFile.QuadPart = size.QuadPart - written;
        SetFileInformationByHandle(m_handle, FileEndOfFileInfo, &end, sizeof end);
    }
    fail(error);
    return false;
}

bool AppendFile::close() {
    if (m_handle == INVALID_HANDLE_VALUE) {
        return true;
    }
    OVERLAPPED lockAt = atOffset(lockOffset);
    UnlockFileEx(m_handle, 0, 1, 0, &lockAt);
    const BOOL ok = CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    if (!ok) {
        fail(GetLastError());
    }
    return ok;
}

void AppendFile::fail(unsigned long systemError) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, systemError, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const QString systemText = QString::fromWCharArray(buffer, int(length)).trimmed() +
                               QStringLiteral(" (%1)").arg(systemError);
    LocalFree(buffer);
    m_errorText = reasonText(reasonOf(DWORD(systemError)), systemText);
}

#else

namespace {

Reason reasonOf(int error) {
    switch (error) {
    case EISDIR:
        return Reason::IsFolder;
    case ENOENT:
    case ENOTDIR:
        return Reason::NoFolder;
    case EACCES:
    case EPERM:
        return Reason::NoPermission;
    case EROFS:
        return Reason::ReadOnlyDisk;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Reason::DiskFull;
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
        return Reason::Locked;
    default:
        return Reason::Other;
    }
}

} // namespace

AppendFile::AppendFile(const QString& path) : m_fd(-1) {
    if (const FileKind kind = fileKindAt(path); !mayOpen(kind)) {
        m_errorText = notAFileText(kind);
        return;
    }
    // Read access as well, to read what is there; O_APPEND makes every write go to the end
    // of the file atomically, whatever other writers do. O_NONBLOCK and O_NOCTTY keep a pipe
    // or a terminal that took the file's place meanwhile from blocking or adopting us.
    m_fd = ::open(QFile::encodeName(path).constData(),
                  O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    if (m_fd < 0) {
        fail(errno);
        return;
    }
    if (const FileKind kind = fileKindOfDescriptor(m_fd); kind != FileKind::File) {
        ::close(m_fd);
        m_fd = -1;
        m_errorText = notAFileText(kind);
        return;
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    // Best effort: where the file system has no locks, appends are still atomic.
    int locked;
    do {
        locked = ::flock(m_fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
}

AppendFile::~AppendFile() {
    close();
}

bool AppendFile::isOpen() const {
    return m_fd >= 0;
}

std::optional<QByteArray> AppendFile::contents() {
    struct stat status;
    if (::fstat(m_fd, &status) != 0) {
        fail(errno);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(status.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t read = ::pread(m_fd, bytes.data() + done, size_t(bytes.size() - done), done);
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            fail(errno);
            return std::nullopt;
        }
        if (read == 0) {
            break; // cut shorter meanwhile by something that takes no lock
        }
        done += read;
    }
    bytes.truncate(done);
    return bytes;
}

bool AppendFile::append(QByteArrayView bytes) {
    ssize_t written;
    do {
        written = ::write(m_fd, bytes.data(), size_t(bytes.size()));
    } while (written < 0 && errno == EINTR);
    if (written == bytes.size()) {
        return true;
    }
    // A short write leaves no errno; it happens when the disk or the file size limit is
    // reached. Our bytes are the last ones in the file: cut them off again.
    const int error = written < 0 ? errno : ENOSPC;
    struct stat status;
    if (written > 0 && ::fstat(m_fd, &status) == 0 && status.st_size >= written) {
        [[maybe_unused]] const int cut = ::ftruncate(m_fd, status.st_size - written);
    }
    fail(error);
    return false;
}

bool AppendFile::close() {
    if (m_fd < 0) {
        return true;
    }
    const int result = ::close(m_fd);
    m_fd = -1;
    if (result != 0 && errno != EINTR) {
        fail(errno);
        return false;
    }
    return true;
}

void AppendFile::fail(unsigned long systemError) {
    const int error = int(systemError);
    m_errorText = reasonText(
        reasonOf(error),
        QStringLiteral("%1 (%2)").arg(QString::fromLocal8Bit(std::strerror(error))).arg(error));
}

#endif

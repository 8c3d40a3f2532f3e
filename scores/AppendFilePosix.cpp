// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/AppendFile.h"

#include "scores/FileKind.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

AppendFile::AppendFile(const QString& path) : m_fd(-1) {
    if (m_storage.taken() != StorageLock::Result::Done) {
        failStorage(m_storage.taken());
        return;
    }
    if (const FileKind kind = fileKindAt(path); !isFileOrMissing(kind)) {
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
    // Copies of the program take turns through the file's lock. Where it cannot be taken (a
    // network file system without lock support) nothing is written: appends from other
    // computers are not atomic there.
    int locked;
    do {
        locked = ::flock(m_fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        failToLock(error);
    }
}

bool AppendFile::isOpen() const {
    return m_fd >= 0;
}

std::optional<FileIdentity> AppendFile::identity() const {
    return identityOfDescriptor(m_fd);
}

std::optional<qint64> AppendFile::size() {
    struct stat status;
    if (::fstat(m_fd, &status) != 0) {
        fail(errno);
        return std::nullopt;
    }
    return qint64(status.st_size);
}

std::optional<QByteArray> AppendFile::readAt(qint64 offset, qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < size) {
        const ssize_t read = ::pread(m_fd, bytes.data() + done, size_t(size - done), offset + done);
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            fail(errno);
            return std::nullopt;
        }
        if (read == 0) {
            break; // the end of the file
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
    if (const StorageLock::Result stored = m_storage.store(); stored != StorageLock::Result::Done) {
        failStorage(stored);
        return false;
    }
    return true;
}

void AppendFile::failStorage(StorageLock::Result result) {
    switch (result) {
    case StorageLock::Result::NoLock:
        failToLock(ENOLCK);
        return;
    case StorageLock::Result::Full:
        fail(ENOSPC);
        return;
    case StorageLock::Result::Refused:
    case StorageLock::Result::Done:
        fail(EACCES);
        return;
    }
}

AppendFile::Reason AppendFile::reasonOf(unsigned long systemError) {
    switch (int(systemError)) {
    case EISDIR:
        return Reason::IsFolder;
    case ELOOP:
        return Reason::LinkLoop;
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

QString AppendFile::systemText(unsigned long systemError) {
    const int error = int(systemError);
    return QStringLiteral("%1 (%2)").arg(QString::fromLocal8Bit(std::strerror(error))).arg(error);
}

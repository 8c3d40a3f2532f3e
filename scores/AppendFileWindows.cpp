// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/AppendFile.h"

#include "scores/FileKind.h"

#include <algorithm>
#include <windows.h>

namespace {

constexpr qint64 lockOffset = qint64(0x7FFFFFFF) << 32;

OVERLAPPED atOffset(qint64 offset) {
    OVERLAPPED overlapped = {};
    overlapped.Offset = DWORD(offset & 0xFFFFFFFF);
    overlapped.OffsetHigh = DWORD(quint64(offset) >> 32);
    return overlapped;
}

} // namespace

AppendFile::AppendFile(const QString& path) : m_handle(INVALID_HANDLE_VALUE) {
    if (const FileKind kind = fileKindAt(path); !isFileOrMissing(kind)) {
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
            m_errorText = notAFileText(FileKind::Folder);
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
    // Where the lock cannot be taken (a share without lock support) nothing is written: an
    // unlocked append there could tear another computer's record.
    OVERLAPPED lockAt = atOffset(lockOffset);
    if (!LockFileEx(m_handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lockAt)) {
        const DWORD error = GetLastError();
        CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        failToLock(error);
    }
}

bool AppendFile::isOpen() const {
    return m_handle != INVALID_HANDLE_VALUE;
}

std::optional<FileIdentity> AppendFile::identity() const {
    return identityOfHandle(m_handle);
}

std::optional<qint64> AppendFile::size() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_handle, &size)) {
        fail(GetLastError());
        return std::nullopt;
    }
    return qint64(size.QuadPart);
}

std::optional<QByteArray> AppendFile::readAt(qint64 offset, qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < size) {
        OVERLAPPED from = atOffset(offset + done);
        DWORD read = 0;
        const DWORD wanted = DWORD(std::min<qsizetype>(size - done, 1 << 30));
        if (!ReadFile(m_handle, bytes.data() + done, wanted, &read, &from)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                break; // the end of the file
            }
            fail(error);
            return std::nullopt;
        }
        if (read == 0) {
            break; // the end of the file
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

AppendFile::Reason AppendFile::reasonOf(unsigned long systemError) {
    switch (systemError) {
    case ERROR_CANT_RESOLVE_FILENAME:
        return Reason::LinkLoop;
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

QString AppendFile::systemText(unsigned long systemError) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, systemError, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const QString text = QString::fromWCharArray(buffer, int(length)).trimmed() +
                         QStringLiteral(" (%1)").arg(systemError);
    LocalFree(buffer);
    return text;
}

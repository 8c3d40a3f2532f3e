// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/FileKind.h"

#include <QFile>
#include <QFileInfo>

#include <io.h>
#include <windows.h>

FileKind fileKindAt(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        const bool loop = GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.utf16())) ==
                              INVALID_FILE_ATTRIBUTES &&
                          GetLastError() == ERROR_CANT_RESOLVE_FILENAME;
        return loop ? FileKind::LinkLoop : FileKind::Missing;
    }
    return info.isDir() ? FileKind::Folder : info.isFile() ? FileKind::File : FileKind::Other;
}

FileKind fileKindOfHandle(void* handle) {
    // A disk file or folder; a console, a printer port or a pipe is something else.
    return GetFileType(handle) == FILE_TYPE_DISK ? FileKind::File : FileKind::Other;
}

std::optional<FileIdentity> identityOfHandle(void* handle) {
    BY_HANDLE_FILE_INFORMATION information;
    // Some network shares give every file the number 0: no identity then.
    if (!GetFileInformationByHandle(handle, &information) ||
        (information.nFileIndexHigh == 0 && information.nFileIndexLow == 0)) {
        return std::nullopt;
    }
    return FileIdentity{information.dwVolumeSerialNumber,
                        (quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::optional<FileIdentity> identityOf(const QFile& file) {
    return identityOfHandle(reinterpret_cast<void*>(_get_osfhandle(file.handle())));
}

FileKind openFileForReading(QFile& file, const QString& path) {
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return FileKind::Missing;
    }
    // Anything but a file on a disk (a console, a pipe) reads as a sequential device.
    if (file.isSequential()) {
        file.close();
        return FileKind::Other;
    }
    return FileKind::File;
}

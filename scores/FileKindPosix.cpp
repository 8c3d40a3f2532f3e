// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/FileKind.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::File;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Folder;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::Pipe;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return FileKind::Device;
    }
    return S_ISSOCK(mode) ? FileKind::Socket : FileKind::Other;
}

} // namespace

FileKind fileKindAt(const QString& path) {
    struct stat status;
    // Whatever else cannot be looked at (a folder without search permission) counts as
    // missing: opening it fails as well.
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return errno == ELOOP ? FileKind::LinkLoop : FileKind::Missing;
    }
    return kindOf(status.st_mode);
}

FileKind fileKindOfDescriptor(int fd) {
    struct stat status;
    return ::fstat(fd, &status) == 0 ? kindOf(status.st_mode) : FileKind::Other;
}

std::optional<FileIdentity> identityOfDescriptor(int fd) {
    struct stat status;
    if (::fstat(fd, &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino)};
}

std::optional<FileIdentity> identityOf(const QFile& file) {
    return identityOfDescriptor(file.handle());
}

FileKind openFileForReading(QFile& file, const QString& path) {
    // Without O_NONBLOCK opening a pipe waits for a writer; O_NOCTTY keeps a terminal from
    // becoming the program's own.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return FileKind::Missing;
    }
    const FileKind kind = fileKindOfDescriptor(fd);
    if (kind != FileKind::File || !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return kind == FileKind::File ? FileKind::Missing : kind;
    }
    return FileKind::File;
}

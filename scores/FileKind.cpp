#include "scores/FileKind.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString notAFileText(FileKind kind) {
    switch (kind) {
    case FileKind::Folder:
        return QStringLiteral("Na místě souboru se skóre je složka.");
    case FileKind::Pipe:
        return QStringLiteral("Na místě souboru se skóre je roura (FIFO), ne soubor.");
    case FileKind::Device:
        return QStringLiteral("Na místě souboru se skóre je zařízení, ne soubor.");
    case FileKind::Socket:
        return QStringLiteral("Na místě souboru se skóre je soket, ne soubor.");
    case FileKind::Missing:
    case FileKind::File:
    case FileKind::Other:
        break;
    }
    return QStringLiteral("Na místě souboru se skóre není obyčejný soubor.");
}

#ifdef Q_OS_WIN

#include <windows.h>

FileKind fileKindAt(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return FileKind::Missing;
    }
    return info.isDir() ? FileKind::Folder : info.isFile() ? FileKind::File : FileKind::Other;
}

FileKind fileKindOfHandle(void* handle) {
    // A disk file or folder; a console, a printer port or a pipe is something else.
    return GetFileType(handle) == FILE_TYPE_DISK ? FileKind::File : FileKind::Other;
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

#else

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
    // Whatever cannot be looked at (a folder without search permission, a loop of links)
    // counts as missing: opening it fails as well.
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return FileKind::Missing;
    }
    return kindOf(status.st_mode);
}

FileKind fileKindOfDescriptor(int fd) {
    struct stat status;
    return ::fstat(fd, &status) == 0 ? kindOf(status.st_mode) : FileKind::Other;
}

FileKind openFileForReading(QFile& file, const QString& path) {
    // Without O_NONBLOCK opening a pipe waits for a writer; O_NOCTTY keeps a terminal from
    // becoming the program's own.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
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

#endif

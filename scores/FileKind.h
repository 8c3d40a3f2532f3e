// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

class QFile;

// What lies at the path where the score file is expected. Found from the file system's
// record of it (following links) without opening it: opening a pipe waits for a writer,
// a device may act on being opened, and reading one may never end.
enum class FileKind { Missing, File, Folder, Pipe, Device, Socket, LinkLoop, Other };

FileKind fileKindAt(const QString& path);

// The same for a file already open, to catch a swap between looking and opening.
#ifdef Q_OS_WIN
FileKind fileKindOfHandle(void* handle);
#else
FileKind fileKindOfDescriptor(int fd);
#endif

// Which file an open file is: its device (volume) and its number there. Another file put
// at the same path, even a copy, is another file.
struct FileIdentity {
    quint64 device = 0;
    quint64 number = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
#ifdef Q_OS_WIN
std::optional<FileIdentity> identityOfHandle(void* handle);
#else
std::optional<FileIdentity> identityOfDescriptor(int fd);
#endif
// The same for a file opened by openFileForReading.
std::optional<FileIdentity> identityOf(const QFile& file);

// Whether the path may be opened as the score file: a file, or nothing yet to be created.
// Anything else (a folder, a pipe, a device, a socket) is never opened.
bool isFileOrMissing(FileKind kind);

// Why the score file cannot be used when something other than a file lies at its place,
// as one Czech sentence for the player.
QString notAFileText(FileKind kind);

// Opens an ordinary file at `path` for reading without waiting, even when a pipe or a
// device took its place after fileKindAt looked. Returns the kind found: File when the
// file is open for reading, Missing when it could not be opened; with any other kind the
// file is left closed.
FileKind openFileForReading(QFile& file, const QString& path);

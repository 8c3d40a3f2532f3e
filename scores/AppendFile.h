// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scores/FileKind.h"
#include "scores/StorageLock.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// A file opened only to add to its end (a missing one is created empty), locked against
// other copies of the program while open, so that reading it and the append that follows
// form one step. Failures are described in Czech for the player.
// Warning: between computers only the lock keeps a record whole, since a network share may
// put one write out in parts; a share whose locks silently do nothing cannot be told apart.
class AppendFile {
public:
    explicit AppendFile(const QString& path);
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    bool isOpen() const;

    // Which file is open, and its size now; nothing when the system cannot tell.
    std::optional<FileIdentity> identity() const;
    std::optional<qint64> size();
    // Up to `size` bytes from `offset` on, fewer or none at the end of the file; nothing
    // when they cannot be read. While the file is open no other copy of the program
    // appends, so what follows the reads is ours.
    std::optional<QByteArray> readAt(qint64 offset, qsizetype size);

    // Writes all of `bytes` or, as far as the system lets us, nothing: a write that comes
    // up short (a full disk) is cut off again and reported as a failure.
    bool append(QByteArrayView bytes);

    // Closes the file; false when the system reports that the data did not reach it.
    bool close();

    // Why the last operation failed, as a Czech sentence.
    QString errorText() const { return m_errorText; }

private:
    enum class Reason {
        IsFolder,
        LinkLoop,
        NoFolder,
        NoPermission,
        ReadOnlyDisk,
        DiskFull,
        Locked,
        Other
    };

    // Sets errorText() from the system's error code.
    void fail(unsigned long systemError);
    // Sets errorText() for a lock that could not be taken (a file system without locks):
    // nothing is written then, since an unlocked append there could tear another
    // computer's record.
    void failToLock(unsigned long systemError);
    // What the platform's error code means for the player, and the system's own words.
    static Reason reasonOf(unsigned long systemError);
    static QString systemText(unsigned long systemError);

#ifdef Q_OS_WIN
    void* m_handle;
#else
    // Sets errorText() for a storage behind the files that could not be locked, read or
    // written: nothing is saved then.
    void failStorage(StorageLock::Result result);

    StorageLock m_storage; // taken first, released last
    int m_fd;
#endif
    QString m_errorText;
};

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lock on the storage behind the program's files, which AppendFile holds for one save.
// On a disk the files are the storage and the file's own lock serves: nothing is done. In
// the browser the files are a copy in memory of the page's storage (IndexedDB), shared by
// every tab of the page: taking the lock waits for the page's lock on that storage (Web
// Locks) and then brings the copy up to date, so that a record another tab saved meanwhile
// is read before ours is added; store() writes the copy back and returns once it is kept.
class StorageLock {
public:
    enum class Result {
        Done,
        NoLock,  // the storage has no lock to take
        Refused, // the storage cannot be read or written (a private window, say)
        Full,    // the storage's quota is used up
    };

    StorageLock();  // waits for the lock
    ~StorageLock(); // releases it
    StorageLock(const StorageLock&) = delete;
    StorageLock& operator=(const StorageLock&) = delete;

    // Whether the lock is held and the copy up to date.
    Result taken() const { return m_taken; }
    // Writes the copy back to the storage. When that fails, the copy is brought back to what
    // the storage keeps, so that nothing shows what was not saved.
    Result store();

private:
    Result m_taken;
};

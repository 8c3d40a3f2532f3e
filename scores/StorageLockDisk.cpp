// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/StorageLock.h"

// The files are the storage: AppendFile's own lock and writes are all there is.
StorageLock::StorageLock() : m_taken(Result::Done) {}

StorageLock::~StorageLock() = default;

StorageLock::Result StorageLock::store() {
    return Result::Done;
}

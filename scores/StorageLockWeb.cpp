// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/StorageLock.h"

#include <emscripten.h>

// The storage itself is the page's start-up script's (StorageWeb.js), which loaded the copy
// before main(); its results are Result's values.
namespace {

EM_ASYNC_JS(int, omvarStorageLock, (), { return await Module.omvarStorage.lock(); });

EM_ASYNC_JS(int, omvarStorageStore, (), { return await Module.omvarStorage.store(); });

EM_JS(void, omvarStorageUnlock, (), { Module.omvarStorage.unlock(); });

} // namespace

StorageLock::StorageLock() : m_taken(Result(omvarStorageLock())) {}

StorageLock::~StorageLock() {
    omvarStorageUnlock();
}

StorageLock::Result StorageLock::store() {
    return Result(omvarStorageStore());
}

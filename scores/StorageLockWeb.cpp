// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/StorageLock.h"

#include <QCoreApplication>
#include <QEvent>

#include <emscripten.h>

// The storage itself is the page's start-up script's (StorageWeb.js), which loaded the copy
// before main(); its results are Result's values.
namespace {

EM_ASYNC_JS(int, omvarStorageLock, (), { return await Module.omvarStorage.lock(); });

EM_ASYNC_JS(int, omvarStorageStore, (), { return await Module.omvarStorage.store(); });

EM_JS(void, omvarStorageUnlock, (), { Module.omvarStorage.unlock(); });

// While the program waits for the storage, the page goes on handling events, and Qt with
// it: the player's input is dropped meanwhile, as a save on the desktop takes no input
// until it is done, so that a second click cannot start a second save of the same record.
class InputHeld : public QObject {
public:
    InputHeld() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputHeld() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Shortcut:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

StorageLock::StorageLock() : m_taken([] {
    InputHeld held;
    return Result(omvarStorageLock());
}()) {}

StorageLock::~StorageLock() {
    omvarStorageUnlock();
}

StorageLock::Result StorageLock::store() {
    InputHeld held;
    return Result(omvarStorageStore());
}

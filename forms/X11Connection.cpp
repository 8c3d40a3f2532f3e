// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/X11Connection.h"

#if defined(OMVAR_HAVE_XCB)
#include <QGuiApplication>
#include <QWindow>

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr) {
        return nullptr;
    }
    return x11->connection();
}

QWindow* topLevelWindowOf(xcb_window_t id) {
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->handle() != nullptr && xcb_window_t(window->winId()) == id) {
            return window;
        }
    }
    return nullptr;
}
#endif

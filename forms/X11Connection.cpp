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

xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}
#endif

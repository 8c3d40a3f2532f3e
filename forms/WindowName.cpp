// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/WindowName.h"

#include "forms/X11Connection.h"
#include "forms/XdgToplevel.h"

#include <QWindow>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

#if defined(OMVAR_HAVE_WAYLAND)
#include <wayland-client-core.h>
#endif

#if defined(OMVAR_HAVE_XCB)
namespace {

#if defined(OMVAR_HAVE_WAYLAND)
// On Wayland the name is the title of the window's xdg_toplevel, which Qt makes anew, with
// its own title, each time the window is shown: the empty title follows every showing.
void clearWaylandTitle(QWindow* window) {
    const char* const cleared = "omvarTitleCleared";
    if (window->property(cleared).toBool()) {
        return;
    }
    window->setProperty(cleared, true);
    // Qt tells of the showing before it makes the xdg_toplevel: the title follows once the
    // showing is done.
    QObject::connect(
        window, &QWindow::visibleChanged, window,
        [window] {
            if (wl_proxy* toplevel = window->isVisible() ? xdgToplevel(window) : nullptr) {
                wl_proxy_marshal(toplevel, XdgToplevelRequest::SetTitle, "");
            }
        },
        Qt::QueuedConnection);
}
#endif

} // namespace
#endif

void clearWindowName(QWindow* window) {
#if defined(Q_OS_WIN)
    SetWindowTextW(reinterpret_cast<HWND>(window->winId()), L"");
#elif defined(OMVAR_HAVE_XCB)
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        clearWaylandTitle(window);
        return;
    }
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t utf8 = x11Atom(connection, "UTF8_STRING");
    const xcb_atom_t netName = x11Atom(connection, "_NET_WM_NAME");
    if (utf8 != XCB_ATOM_NONE && netName != XCB_ATOM_NONE) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netName, utf8, 8, 0, "");
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        0, "");
    xcb_flush(connection);
#else
    (void)window;
#endif
}

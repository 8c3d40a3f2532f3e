// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/WindowState.h"

#include "forms/XdgToplevel.h"

#include <QWindow>

#if defined(OMVAR_HAVE_WAYLAND)
#include <wayland-client-core.h>
#endif

void keepNormalState(QWindow* window, Qt::WindowState state) {
#if defined(OMVAR_HAVE_WAYLAND)
    if (state != Qt::WindowMaximized && state != Qt::WindowFullScreen) {
        return;
    }
    wl_proxy* toplevel = xdgToplevel(window);
    if (toplevel == nullptr) {
        return;
    }
    wl_proxy_marshal(toplevel, state == Qt::WindowMaximized ? XdgToplevelRequest::UnsetMaximized
                                                            : XdgToplevelRequest::UnsetFullscreen);
    // Qt takes the compositor's answer for no change, as the window was never configured
    // otherwise, and so would keep the state and ask for it again when the window is next
    // shown.
    window->setWindowStates(Qt::WindowNoState);
#else
    (void)window;
    (void)state;
#endif
}

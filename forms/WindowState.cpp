// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/WindowState.h"

#include <QGuiApplication>
#include <QWindow>

#if defined(OMVAR_HAVE_WAYLAND)
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client-core.h>
#endif

void keepNormalState(QWindow* window, Qt::WindowState state) {
#if defined(OMVAR_HAVE_WAYLAND)
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
        (state != Qt::WindowMaximized && state != Qt::WindowFullScreen)) {
        return;
    }
    auto* toplevel =
        static_cast<wl_proxy*>(QGuiApplication::platformNativeInterface()->nativeResourceForWindow(
            "xdg_toplevel", window));
    if (toplevel == nullptr) {
        return;
    }
    // Requests of the xdg_toplevel interface, numbered as the xdg-shell protocol does.
    constexpr uint32_t UnsetMaximized = 10;
    constexpr uint32_t UnsetFullscreen = 12;
    wl_proxy_marshal(toplevel, state == Qt::WindowMaximized ? UnsetMaximized : UnsetFullscreen);
    // Qt takes the compositor's answer for no change, as the window was never configured
    // otherwise, and so would keep the state and ask for it again when the window is next
    // shown.
    window->setWindowStates(Qt::WindowNoState);
#else
    (void)window;
    (void)state;
#endif
}

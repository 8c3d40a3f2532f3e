// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#if defined(OMVAR_HAVE_WAYLAND)
#include <cstdint>

class QWindow;
struct wl_proxy;

// The xdg_toplevel of a shown top-level window on Wayland, or none elsewhere and while the
// window is hidden: Qt makes it anew each time the window is shown.
wl_proxy* xdgToplevel(QWindow* window);

// Requests of the xdg_toplevel interface, numbered as the xdg-shell protocol does.
namespace XdgToplevelRequest {
constexpr uint32_t SetTitle = 2;
constexpr uint32_t UnsetMaximized = 10;
constexpr uint32_t UnsetFullscreen = 12;
} // namespace XdgToplevelRequest
#endif

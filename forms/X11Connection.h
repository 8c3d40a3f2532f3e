// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#if defined(OMVAR_HAVE_XCB)
#include <xcb/xcb.h>

class QWindow;

// The program's connection to the X server, or none when it runs on another window system
// (offscreen, Wayland).
xcb_connection_t* x11Connection();

// The program's top-level window that is the X window `id`, if any.
QWindow* topLevelWindowOf(xcb_window_t id);

// The atom of that name, or none when the server does not answer.
xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name);
#endif

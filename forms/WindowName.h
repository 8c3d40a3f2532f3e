// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWindow;

// A form without a caption has an empty name on the window system, as task lists and window
// switchers show it. Qt never leaves a window's name empty (an empty title becomes the
// application's name), so the empty name is written on the window system itself. Call it
// once the native window exists; Qt writes the name again only when it creates the window
// or its title changes. On Wayland, where Qt makes the window anew at each showing, the
// name stays empty at every later showing too.
void clearWindowName(QWindow* window);

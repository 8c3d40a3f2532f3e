// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Ends the program with its exit status once its last form is gone: on the desktop the
// application's event loop returns it from main(). In the browser that loop never returns
// (the page's own loop runs the program's events), so the program ends there at once and
// the page is told with the status.
void endProgram(int exitCode);

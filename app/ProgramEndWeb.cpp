// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramEnd.h"

#include <emscripten.h>

void endProgram(int exitCode) {
    emscripten_force_exit(exitCode);
}

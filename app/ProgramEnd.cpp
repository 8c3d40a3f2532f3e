// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramEnd.h"

#include <QCoreApplication>

void endProgram(int exitCode) {
    QCoreApplication::exit(exitCode);
}

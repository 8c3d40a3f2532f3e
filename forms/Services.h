// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Clock.h"
#include "forms/MessageBoxes.h"
#include "sound/SoundOutput.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>

// What the program takes from its surroundings. The program gets the real ones; each test
// gets a manual clock, recorded message boxes and sounds, a fixed date and its own folder.
struct Services {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<MessageBoxes> messageBoxes;
    std::unique_ptr<SoundOutput> sound; // the game gives its own once the menu is painted
    std::function<QDate()> today;
    QString appPath;        // the program's folder, without a trailing separator
    bool installed = false; // appPath is an installed copy's, which takes no score file
};

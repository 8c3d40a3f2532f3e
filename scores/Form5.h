// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "screens/Form5Screen.h"

class Program;

// The name entry dialog: stores the last game's counts under the player's name.
class Form5 : public Form5Screen {
public:
    explicit Form5(Program& program);

protected:
    void Form_Unload() override;

private:
    void Command1_Click(); // "Ok"
    void Command2_Click(); // "Storno"

    Program& m_program;
};

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "screens/Form3Screen.h"

class Program;

// The main menu: starts and continues games, shows the task, the About text and the
// score table, and ends the program.
class Form3 : public Form3Screen {
public:
    explicit Form3(Program& program);

protected:
    void Form_Unload() override;

private:
    void Command1_Click(); // "Nová hra"
    void Command2_Click(); // "Pokračovat ve hře"
    void Command3_Click(); // "Váš úkol"
    void Command4_Click(); // "O programu"
    void Command5_Click(); // "Zpět do Windows"
    void Command6_Click(); // "Skóre"

    // The menu's exit sequence: unloads the pause dialog, the menu, the score table
    // screen and the game screen, in that order.
    void unloadAll();

    Program& m_program;
};

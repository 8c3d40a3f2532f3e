// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "screens/Form2Screen.h"

class Program;

// The pause dialog: up exactly while a game is paused, with the game screen disabled and
// its timers stopped behind it.
class Form2 : public Form2Screen {
public:
    explicit Form2(Program& program);

protected:
    // The dialog has no title bar; a close asked for through the system resumes the game,
    // so the game screen is never left disabled with nothing in front of it.
    void Form_QueryUnload(bool& cancel) override;

private:
    void Command1_Click(); // "Pokračovat ve hře"
    void Command2_Click(); // "Návrat do Menu"
    void Command3_Click(); // "Zpět do Windows"

    Program& m_program;
};

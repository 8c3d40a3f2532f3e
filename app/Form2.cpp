// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form2.h"

#include "app/Form3.h"
#include "app/Program.h"
#include "game/Form1.h"
#include "scores/Form4.h"

Form2::Form2(Program& program) : Form2Screen(program.runtime()), m_program(program) {
    Command1->setClickHandler(handler(&Form2::Command1_Click));
    Command2->setClickHandler(handler(&Form2::Command2_Click));
    Command3->setClickHandler(handler(&Form2::Command3_Click));
}

void Form2::Form_QueryUnload(bool& cancel) {
    cancel = true;
    Command1_Click();
}

void Form2::Command1_Click() {
    m_program.playSound(Sound::Button);
    Form1& game = m_program.form<Form1>();
    game.setEnabled(true);
    game.switchTimers(true);
    setVisible(false);
}

void Form2::Command2_Click() {
    m_program.playSound(Sound::Button);
    m_program.form<Form1>().leaveGame(true);
}

void Form2::Command3_Click() {
    m_program.unload<Form1, Form3, Form4, Form2>();
}

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form3.h"

#include "app/Form2.h"
#include "app/Program.h"
#include "game/Form1.h"
#include "scores/Form4.h"

namespace {
const QString TaskText = QStringLiteral(
    "Až spustíte hru, tak se před vámi zobrazí dům a vy se musíte snažit trefit co nejvíce "
    "terčů, které se budou zobrazovat v oknech tohoto domu.");
}

Form3::Form3(Program& program) : Form3Screen(program.runtime()), m_program(program) {
    Command1->setClickHandler(handler(&Form3::Command1_Click));
    Command2->setClickHandler(handler(&Form3::Command2_Click));
    Command3->setClickHandler(handler(&Form3::Command3_Click));
    Command4->setClickHandler(handler(&Form3::Command4_Click));
    Command5->setClickHandler(handler(&Form3::Command5_Click));
    Command6->setClickHandler(handler(&Form3::Command6_Click));
}

void Form3::Command1_Click() {
    m_program.playSound(Sound::Button);
    Form1& game = m_program.form<Form1>();
    game.Show();
    game.setEnabled(true);
    game.Label7->setCaption(QStringLiteral("0"));
    game.Label8->setCaption(QStringLiteral("0"));
    game.Label11->setCaption(QStringLiteral("0"));
    game.Label9->setCaption(QStringLiteral("60"));
    game.switchTimers(true);
    Hide();
}

void Form3::Command2_Click() {
    m_program.playSound(Sound::Button);
    Form1& game = m_program.form<Form1>();
    game.Show();
    game.setEnabled(true);
    game.switchTimers(true);
    Hide();
}

void Form3::Command3_Click() {
    m_program.playSound(Sound::Button);
    Label4->setCaption(TaskText);
    Label2->setCaption(QStringLiteral("Váš úkol:"));
}

void Form3::Command4_Click() {
    m_program.playSound(Sound::Button);
    Label2->setCaption(QStringLiteral("O programu:"));
    Label4->setCaption(AboutText);
}

void Form3::Command5_Click() {
    unloadAll();
}

void Form3::Command6_Click() {
    m_program.playSound(Sound::Button);
    Form4& table = m_program.form<Form4>();
    table.Show();
    table.showTemporaryScore();
    setVisible(false);
    table.Frame1->setCaption(QStringLiteral("Dočasné skóre:"));
}

void Form3::Form_Unload() {
    unloadAll();
}

void Form3::unloadAll() {
    m_program.unload<Form2, Form3, Form4, Form1>();
}

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Form1.h"

#include "app/Form2.h"
#include "app/Form3.h"
#include "app/Program.h"
#include "forms/Conversions.h"
#include "scores/Form4.h"

namespace {

// The captions are the only store of the numbers: text to number, plus or minus one, and
// back to its shortest text.
void addToCaption(Label* label, double amount) {
    label->setCaption(doubleToText(textToDouble(label->Caption()) + amount));
}

const QString Zero = QStringLiteral("0");

} // namespace

Form1::Form1(Program& program) : Form1Screen(program.runtime()), m_program(program) {
    Command1->setClickHandler(handler(&Form1::Command1_Click));
    Command2->setClickHandler(handler(&Form1::Command2_Click));
    Command3->setClickHandler(handler(&Form1::Command3_Click));
    Picture2->setClickHandler(handler(&Form1::Picture2_Click));
    Picture3->setClickHandler(handler(&Form1::Picture3_Click));
    Picture4->setClickHandler(handler(&Form1::Picture4_Click));
    Picture5->setClickHandler(handler(&Form1::Picture5_Click));
    Picture6->setClickHandler(handler(&Form1::Picture6_Click));
    Label1->setClickHandler(handler(&Form1::Label1_Click));
    Label3->setClickHandler(handler(&Form1::Label3_Click));
    Label9->setClickHandler(handler(&Form1::Label9_Click));
    Picture1->setClickHandler(handler(&Form1::Picture1_Click));
    Timer1->setTimerHandler(handler(&Form1::Timer1_Timer));
    Timer2->setTimerHandler(handler(&Form1::Timer2_Timer));
    Timer3->setTimerHandler(handler(&Form1::Timer3_Timer));
    Timer4->setTimerHandler(handler(&Form1::Timer4_Timer));
    Timer5->setTimerHandler(handler(&Form1::Timer5_Timer));
    Timer6->setTimerHandler(handler(&Form1::Timer6_Timer));
    Timer7->setTimerHandler(handler(&Form1::Timer7_Timer));
}

void Form1::switchTimers(bool enabled) {
    for (Timer* timer : {Timer1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7}) {
        timer->setEnabled(enabled);
    }
}

void Form1::leaveGame(bool canContinue) {
    Hide();
    m_program.form<Form2>().Hide();
    switchTimers(false);
    Form3& menu = m_program.form<Form3>();
    menu.Show();
    menu.Command6->setEnabled(true);
    menu.Command2->setEnabled(canContinue);
}

void Form1::Form_QueryUnload(bool& cancel) {
    cancel = true;
    Command1_Click();
}

void Form1::Command1_Click() {
    m_program.playSound(Sound::Button);
    leaveGame(true);
}

void Form1::Command2_Click() {
    m_program.playSound(Sound::Button);
    setEnabled(false);
    switchTimers(false);
    m_program.form<Form2>().Show(this);
}

void Form1::Command3_Click() {
    m_program.unload<Form1, Form2, Form3, Form4>();
}

void Form1::hit() {
    if (Label9->Caption() != Zero) {
        m_program.playSound(Sound::Hit);
    }
    addToCaption(Label7, 1);
    addToCaption(Label8, 1);
}

void Form1::Picture2_Click() {
    hit();
}
void Form1::Picture3_Click() {
    hit();
}
void Form1::Picture4_Click() {
    hit();
}
void Form1::Picture5_Click() {
    hit();
}
void Form1::Picture6_Click() {
    hit();
}

void Form1::Label1_Click() {
    if (Label9->Caption() != Zero) {
        m_program.playSound(Sound::Miss);
    }
    addToCaption(Label7, 1);
    addToCaption(Label11, 1);
}

void Form1::Label3_Click() {
    m_program.playSound(Sound::Alert);
}
void Form1::Label9_Click() {
    m_program.playSound(Sound::Alert);
}
void Form1::Picture1_Click() {
    m_program.playSound(Sound::Alert);
}

void Form1::Timer1_Timer() {
    addToCaption(Label9, -1);
    if (Label9->Caption() == Zero) {
        leaveGame(false);
    }
    if (Label9->Caption() == Zero) {
        m_program.playSound(Sound::Alert);
    }
}

void Form1::Timer2_Timer() {
    Picture2->setVisible(false);
    Picture5->setVisible(true);
}

void Form1::Timer3_Timer() {
    Picture2->setVisible(true);
}

void Form1::Timer4_Timer() {
    Picture3->setVisible(true);
    Picture6->setVisible(true);
}

void Form1::Timer5_Timer() {
    Picture3->setVisible(false);
    Picture5->setVisible(false);
}

void Form1::Timer6_Timer() {
    Picture4->setVisible(true);
}

void Form1::Timer7_Timer() {
    Picture6->setVisible(false);
    Picture4->setVisible(false);
}

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "screens/Form1Screen.h"

class Program;

// The game screen. A game's whole state lives in its controls: the counters' and the
// clock's captions, the figures' visibility, the timers' and the screen's flags.
class Form1 : public Form1Screen {
public:
    explicit Form1(Program& program);

    // Switches Timer1 to Timer7 on or off together, Timer1 first.
    void switchTimers(bool enabled);
    // Back to the main menu: hides this screen and the pause dialog, stops the timers and
    // shows the menu with "Skóre" enabled and "Pokračovat ve hře" enabled when the game is
    // held for later, disabled when it is over.
    void leaveGame(bool canContinue);

protected:
    // The screen has no title bar, but the system can still ask it to close: that returns
    // to the menu with the game held, so a window is always on screen and the game can go on.
    void Form_QueryUnload(bool& cancel) override;

private:
    void Command1_Click(); // "Návrat do Menu"
    void Command2_Click(); // "Zastavit hru"
    void Command3_Click(); // "Zpět do Windows"
    void Picture2_Click(); // figures: a hit
    void Picture3_Click();
    void Picture4_Click();
    void Picture5_Click();
    void Picture6_Click();
    void Label1_Click();   // shooting area: a miss
    void Label3_Click();   // "Čas:": no shot, an alert
    void Label9_Click();   // time display: no shot, an alert
    void Picture1_Click(); // the picture around the house: no shot, an alert
    void Timer1_Timer();   // countdown
    void Timer2_Timer();   // figures
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void Timer6_Timer();
    void Timer7_Timer();

    void hit();

    Program& m_program;
};

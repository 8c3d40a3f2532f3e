// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/PictureBox.h"
#include "forms/Timer.h"

// The game screen's layout: the house at night filling a borderless 800 x 600 window, five
// figure boxes in its windows, the clock, the counter panel, three buttons, seven timers.
class Form1Screen : public Form {
public:
    static constexpr int Slot = 0;

    explicit Form1Screen(FormsRuntime& runtime);

    PictureBox* Picture1;    // background picture; holds every other control
    Label* Label1;           // shooting area over the house front
    Label* Label2;           // transparent area over the panel and the buttons
    Label* Label9;           // time display
    Label* Label3;           // "Čas:"
    Label* Label4;           // counter panel
    Label* Label5;           // "Celkový počet střel:"
    Label* Label6;           // "Počet zásahů:"
    Label* Label7;           // shot counter
    Label* Label8;           // hit counter
    Label* Label10;          // "Počet střel mimo cíl:"
    Line* Line1;             // above the shot counter's row
    Label* Label11;          // miss counter
    PictureBox* Picture2;    // figure, upper floor left
    PictureBox* Picture3;    // figure, upper floor middle
    PictureBox* Picture4;    // figure, upper floor right
    PictureBox* Picture5;    // figure, ground floor right
    PictureBox* Picture6;    // figure, ground floor left
    CommandButton* Command1; // "Návrat do Menu"
    CommandButton* Command2; // "Zastavit hru"
    CommandButton* Command3; // "Zpět do Windows"
    Timer* Timer1;           // countdown
    Timer* Timer2;           // figure timers: Timer2 to Timer7
    Timer* Timer3;
    Timer* Timer4;
    Timer* Timer5;
    Timer* Timer6;
    Timer* Timer7;
};

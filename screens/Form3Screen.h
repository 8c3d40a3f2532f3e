// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/PictureBox.h"

// The main menu's layout: the menu picture with the About box, and six buttons.
class Form3Screen : public Form {
public:
    static constexpr int Slot = 2;
    // The About box's text at start-up.
    static const QString AboutText;

    explicit Form3Screen(FormsRuntime& runtime);

    PictureBox* Picture1;    // menu picture
    Line* Line1;             // separates the bottom row of buttons
    Label* Label2;           // About box frame and heading
    Label* Label3;           // About box panel
    Label* Label5;           // contact line
    Label* Label4;           // About box text
    CommandButton* Command4; // "O programu"
    CommandButton* Command3; // "Váš úkol"
    CommandButton* Command6; // "Skóre"
    CommandButton* Command1; // "Nová hra"
    CommandButton* Command2; // "Pokračovat ve hře"
    CommandButton* Command5; // "Zpět do Windows"
};

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/TextBox.h"

// The score table screen's layout: the statistics frame on the left, the list of players
// on the right, four buttons along the bottom.
class Form4Screen : public Form {
public:
    static constexpr int Slot = 3;

    explicit Form4Screen(FormsRuntime& runtime);

    Frame* Frame1;           // statistics; its caption tells which score the boxes show
    Label* Label4;           // "Počet střel mimo cíl:"
    TextBox* Text4;          // misses
    Label* Label2;           // "Počet zásahů:"
    TextBox* Text2;          // hits
    Line* Line1;             // under the hits' row
    Label* Label1;           // "Celkový počet střel:"
    TextBox* Text3;          // all shots
    Label* Label3;           // "Úspěšnost:"
    TextBox* Text1;          // accuracy in per cent
    Label* Label7;           // "%"
    Label* Label5;           // "Datum:"
    TextBox* Text5;          // date
    Frame* Frame2;           // "Tabulka hráčů:"
    ListBox* List1;          // stored players, in file order
    CommandButton* Command1; // "Návrat do Menu"
    CommandButton* Command4; // "Dočasné skóre"
    CommandButton* Command2; // "Uložit dočasné skóre"
    CommandButton* Command3; // "Zpět do Windows"
};

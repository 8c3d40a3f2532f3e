// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"

// The pause dialog's layout: a thin frame without a title bar, the large red message and
// three buttons in a row.
class Form2Screen : public Form {
public:
    static constexpr int Slot = 1;

    explicit Form2Screen(FormsRuntime& runtime);

    Label* Label1;           // "Hra byla zastavena!"
    CommandButton* Command3; // "Zpět do Windows"
    CommandButton* Command2; // "Návrat do Menu"
    CommandButton* Command1; // "Pokračovat ve hře"
};

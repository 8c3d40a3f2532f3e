// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/TextBox.h"

#include <functional>

// The name entry dialog's layout: the prompt, the name box and two buttons.
class Form5Screen : public Form {
public:
    static constexpr int Slot = 4;

    // The name box takes only the characters the form accepts.
    Form5Screen(FormsRuntime& runtime, std::function<bool(QChar)> acceptsNameCharacter);

    Label* Label1;           // "Zde napište Vaše jméno a příjmení:"
    TextBox* Text1;          // the player's name, at most 18 characters
    CommandButton* Command1; // "Ok"
    CommandButton* Command2; // "Storno"
};

#pragma once

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/TextBox.h"

// The name entry dialog's layout: the prompt, the name box and two buttons.
class Form5Screen : public Form {
public:
    static constexpr int Slot = 4;

    explicit Form5Screen(FormsRuntime& runtime);

    Label* Label1;           // "Zde napište Vaše jméno a příjmení:"
    TextBox* Text1;          // the player's name, at most 18 characters
    CommandButton* Command1; // "Ok"
    CommandButton* Command2; // "Storno"
};

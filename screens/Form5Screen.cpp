// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/Form5Screen.h"

#include "screens/Pictures.h"

namespace {

// A button of the row under the name box.
CommandButton* button(QWidget* parent, int left, const QString& caption, const QString& toolTip) {
    return new CommandButton(parent, {{left, 1680, 1575, 495}, caption, toolTip});
}

} // namespace

Form5Screen::Form5Screen(FormsRuntime& runtime, std::function<bool(QChar)> acceptsNameCharacter)
    : Form(runtime, Slot,
           {.caption = QStringLiteral("Omvar  v2.0"),
            .clientSize = {307, 156},
            .icon = Pictures::programIcon()}) {
    QWidget* w = client();
    Label1 = new Label(w, {.bounds = {0, 240, 4575, 375},
                           .caption = QStringLiteral("Zde napište Vaše jméno a příjmení:"),
                           .font = {"MS Sans Serif", 12},
                           .transparent = true,
                           .alignment = Qt::AlignHCenter});
    Text1 = new TextBox(w, {.bounds = {120, 840, 4335, 495},
                            .font = {"MS Sans Serif", 13.5},
                            .alignment = Qt::AlignHCenter,
                            .maxLength = 18,
                            .accessibleName = QStringLiteral("Jméno a příjmení"),
                            .acceptsCharacter = std::move(acceptsNameCharacter)});
    Command1 = button(w, 360, QStringLiteral("Ok"),
                      QStringLiteral("Pokud kliknete, tak se uloží dočasné skóre pod vaše jméno."));
    Command2 = button(w, 2640, QStringLiteral("Storno"),
                      QStringLiteral("Pokud kliknete, tak se vrátíte do tabulky skóre."));
    setTabOrder({Text1, Command1, Command2});
}

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/Form2Screen.h"

#include "screens/Colours.h"

namespace {

// A button of the row under the message.
CommandButton* button(QWidget* parent, int left, const QString& caption, const QString& toolTip) {
    return new CommandButton(parent, {{left, 1920, 1695, 495}, caption, toolTip});
}

} // namespace

Form2Screen::Form2Screen(FormsRuntime& runtime)
    : Form(runtime, Slot,
           {.clientSize = {577, 181},
            .border = FormBorder::FixedNoTitle,
            .accessibleName = QStringLiteral("Hra byla zastavena!")}) {
    window()->setCursor(Qt::ArrowCursor);
    Label1 = new Label(client(), {.bounds = {1080, 480, 6495, 855},
                                  .caption = QStringLiteral("Hra byla zastavena!"),
                                  .font = {"Times New Roman", 36, true, true},
                                  .foreColor = Colour::Red,
                                  .alignment = Qt::AlignHCenter});
    Command3 = button(client(), 480, QStringLiteral("Zpět do Windows"),
                      QStringLiteral("Pokud kliknete, tak ukončíte hru a vrátíte se do Windows."));
    Command2 = button(client(), 3240, QStringLiteral("Návrat do Menu"),
                      QStringLiteral("Pokud kliknete, tak se vrátíte do úvodního menu."));
    Command1 = button(client(), 6000, QStringLiteral("Pokračovat ve hře"),
                      QStringLiteral("Pokud kliknete, tak hra bude pokračovat."));
    setTabOrder({Command1, Command2, Command3});
}

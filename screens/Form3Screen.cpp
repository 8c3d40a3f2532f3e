// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/Form3Screen.h"

#include "screens/Colours.h"
#include "screens/Pictures.h"

namespace {

// Text on the About box's panel, centred.
Label* panelText(QWidget* parent, Twips bounds, const QString& caption, FontSpec font,
                 const QColor& colour, Pointer pointer) {
    return new Label(parent, {.bounds = bounds,
                              .caption = caption,
                              .font = font,
                              .foreColor = colour,
                              .backColor = Colour::PanelGrey,
                              .alignment = Qt::AlignHCenter,
                              .pointer = pointer});
}

// A menu button, all of one size.
CommandButton* button(QWidget* parent, int left, int top, const QString& caption,
                      const QString& toolTip, bool enabled = true) {
    return new CommandButton(parent, {{left, top, 1695, 495}, caption, toolTip, enabled});
}

} // namespace

const QString Form3Screen::AboutText =
    QStringLiteral("Hra < Omvar  v2.0 > prověří, kolik toho vydrží Vaše prsty. "
                   "Hru pro Vás s radostí naprogramoval tým Omvar.");

Form3Screen::Form3Screen(FormsRuntime& runtime)
    : Form(runtime, Slot,
           {.caption = QStringLiteral("Omvar  v2.0"),
            .clientSize = {546, 344},
            .background = Colour::LightGrey,
            .icon = Pictures::programIcon()}) {
    const QCursor arrow(Qt::ArrowCursor);
    QWidget* w = client();
    w->setCursor(arrow);

    // Bottom to top: the picture with the About box, then the buttons above it.
    Picture1 = new PictureBox(w, {.bounds = {0, 0, 8175, 5175},
                                  .picture = Pictures::menu(),
                                  .accessibleName = QStringLiteral("Obrázek menu")});
    Line1 = new Line(Picture1, {120, 4200, 8040, 4200});
    Label2 = new Label(Picture1, {.bounds = {2880, 240, 5175, 3735},
                                  .caption = QStringLiteral("O programu:"),
                                  .font = {"Times New Roman", 20.25, false, true},
                                  .foreColor = Colour::Green,
                                  .backColor = Colour::Blue,
                                  .alignment = Qt::AlignHCenter,
                                  .pointer = arrow});
    Label3 = new Label(Picture1, {.bounds = {3000, 720, 4935, 3135},
                                  .backColor = Colour::PanelGrey,
                                  .pointer = arrow,
                                  .accessibleName = QStringLiteral("Panel informací")});
    Label5 =
        panelText(Picture1, {3120, 3480, 4695, 375}, QStringLiteral("e-mail: omvar@example.org"),
                  {"MS Sans Serif", 12}, Colour::Red, {});
    Label4 = panelText(Picture1, {3240, 960, 4455, 1815}, AboutText, {"MS Sans Serif", 9.75, true},
                       Colour::Blue, arrow);

    Command4 = button(w, 480, 1440, QStringLiteral("O programu"),
                      QStringLiteral("Pokud kliknete, tak se vám zobrazí podrobnější popis "
                                     "tohoto programu."));
    Command3 = button(w, 480, 2280, QStringLiteral("Váš úkol"),
                      QStringLiteral("Pokud kliknete, tak se zobrazí váš úkol v této hře."));
    Command6 = button(w, 480, 3120, QStringLiteral("Skóre"),
                      QStringLiteral("Pokud kliknete, tak se zobrazí vaše dočasné skóre."));
    Command1 = button(w, 480, 4440, QStringLiteral("Nová hra"),
                      QStringLiteral("Pokud kliknete, tak začnete novou hru."));
    Command2 = button(w, 3240, 4440, QStringLiteral("Pokračovat ve hře"),
                      QStringLiteral("Pokud kliknete, tak budete pokračovat ve hře."), false);
    Command5 = button(w, 6000, 4440, QStringLiteral("Zpět do Windows"),
                      QStringLiteral("Pokud kliknete, tak se vrátíte do Windows."));

    setTabOrder({Command1, Command2, Command3, Command4, Command5, Command6, Picture1});
}

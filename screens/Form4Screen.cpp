// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/Form4Screen.h"

#include "screens/Colours.h"
#include "screens/Pictures.h"

namespace {
constexpr FontSpec CaptionFont{"Times New Roman", 18, true};
constexpr FontSpec FrameFont{"MS Sans Serif", 9.75};

// A statistics box: the program writes it, the player only reads it.
TextBox* statisticsBox(QWidget* frame, Twips bounds, Qt::Alignment alignment, int maxLength,
                       Pointer pointer, const QString& name) {
    return new TextBox(frame, {.bounds = bounds,
                               .font = CaptionFont,
                               .foreColor = Colour::Blue,
                               .backColor = Colour::LightGrey,
                               .alignment = alignment,
                               .maxLength = maxLength,
                               .border = false,
                               .locked = true,
                               .pointer = pointer,
                               .accessibleName = name});
}

Label* captionLabel(QWidget* frame, Twips bounds, const QString& caption, Pointer pointer) {
    return new Label(frame, {.bounds = bounds,
                             .caption = caption,
                             .font = CaptionFont,
                             .foreColor = Colour::Red,
                             .pointer = pointer});
}

// A button of the row along the bottom.
CommandButton* button(QWidget* parent, int left, int width, const QString& caption,
                      const QString& toolTip) {
    return new CommandButton(parent, {{left, 3480, width, 495}, caption, toolTip});
}

} // namespace

Form4Screen::Form4Screen(FormsRuntime& runtime)
    : Form(runtime, Slot,
           {.caption = QStringLiteral("Omvar  v2.0 - tabulka skóre"),
            .clientSize = {497, 271},
            .background = Colour::LightGrey,
            .icon = Pictures::programIcon()}) {
    const QCursor arrow(Qt::ArrowCursor);
    QWidget* w = client();
    const Qt::Alignment centred = Qt::AlignHCenter;

    Frame1 = new Frame(w, {.bounds = {120, 120, 4575, 3135},
                           .caption = QStringLiteral("Dočasné skóre:"),
                           .captionFont = FrameFont,
                           .backColor = Colour::LightGrey});
    Label4 =
        captionLabel(Frame1, {120, 360, 3255, 495}, QStringLiteral("Počet střel mimo cíl:"), {});
    Text4 = statisticsBox(Frame1, {3360, 360, 735, 495}, centred, 4, {},
                          QStringLiteral("Počet střel mimo cíl"));
    Label2 = captionLabel(Frame1, {120, 840, 2295, 495}, QStringLiteral("Počet zásahů:"), arrow);
    Text2 = statisticsBox(Frame1, {3360, 840, 735, 495}, centred, 4, arrow,
                          QStringLiteral("Počet zásahů"));
    Line1 = new Line(Frame1, {120, 1440, 4440, 1440, Colour::Navy, 2});
    Label1 =
        captionLabel(Frame1, {120, 1560, 3135, 495}, QStringLiteral("Celkový počet střel:"), arrow);
    Text3 = statisticsBox(Frame1, {3360, 1560, 735, 495}, centred, 4, arrow,
                          QStringLiteral("Celkový počet střel"));
    Label3 = captionLabel(Frame1, {120, 2040, 1695, 495}, QStringLiteral("Úspěšnost:"), arrow);
    Text1 = statisticsBox(Frame1, {3360, 2040, 735, 495}, centred, 4, arrow,
                          QStringLiteral("Úspěšnost"));
    Label7 = new Label(Frame1, {.bounds = {4200, 2040, 255, 495},
                                .caption = QStringLiteral("%"),
                                .font = {"Comic Sans MS", 14.25},
                                .foreColor = Colour::Red,
                                .pointer = arrow});
    Label5 = captionLabel(Frame1, {120, 2520, 1695, 495}, QStringLiteral("Datum:"), {});
    Text5 = statisticsBox(Frame1, {2400, 2520, 1695, 495}, Qt::AlignRight, 0, {},
                          QStringLiteral("Datum"));

    Frame2 = new Frame(w, {.bounds = {4800, 120, 2535, 3135},
                           .caption = QStringLiteral("Tabulka hráčů:"),
                           .captionFont = FrameFont});
    List1 = new ListBox(Frame2, {.bounds = {120, 360, 2295, 2565},
                                 .accessibleName = QStringLiteral("Tabulka hráčů")});

    Command1 = button(w, 120, 1695, QStringLiteral("Návrat do Menu"),
                      QStringLiteral("Pokud kliknete, tak se vrátíte do úvodního menu."));
    Command4 =
        button(w, 1920, 1695, QStringLiteral("Dočasné skóre"),
               QStringLiteral("Pokud kliknete, tak se zobrazí tabulka vašeho dočasného skóre."));
    Command2 = button(
        w, 3720, 1815, QStringLiteral("Uložit dočasné skóre"),
        QStringLiteral("Pokud kliknete, tak můžete uložit vaše dočasné skóre do tabulky. >>>"));
    Command3 = button(w, 5640, 1695, QStringLiteral("Zpět do Windows"),
                      QStringLiteral("Pokud kliknete, tak se vrátíte do Windows."));

    setTabOrder({Command4, Command2, Command3, List1, Command1, Text4, Text2, Text3, Text1, Text5});
}

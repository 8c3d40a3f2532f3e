// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens/Form1Screen.h"

#include "screens/Colours.h"
#include "screens/Pictures.h"

namespace {
constexpr FontSpec ClockFont{"Times New Roman", 20.25, true};
constexpr FontSpec PanelFont{"Times New Roman", 18, true};

// A transparent area that takes clicks: no caption, so named for assistive technology.
Label* area(QWidget* parent, Twips bounds, const QCursor& pointer, const QString& name) {
    return new Label(
        parent,
        {.bounds = bounds, .transparent = true, .pointer = pointer, .accessibleName = name});
}

Label* clockText(QWidget* parent, Twips bounds, const QString& caption, Qt::Alignment alignment) {
    return new Label(parent, {.bounds = bounds,
                              .caption = caption,
                              .font = ClockFont,
                              .foreColor = Colour::Green,
                              .transparent = true,
                              .alignment = alignment});
}

Label* panelCaption(QWidget* parent, Twips bounds, const QString& caption) {
    return new Label(parent, {.bounds = bounds,
                              .caption = caption,
                              .font = PanelFont,
                              .foreColor = Colour::Red,
                              .pointer = QCursor(Qt::ArrowCursor)});
}

Label* counter(QWidget* parent, Twips bounds, const QString& toolTip) {
    return new Label(parent, {.bounds = bounds,
                              .caption = QStringLiteral("0"),
                              .font = PanelFont,
                              .foreColor = Colour::Blue,
                              .alignment = Qt::AlignHCenter,
                              .pointer = QCursor(Qt::ArrowCursor),
                              .toolTip = toolTip});
}

// A figure in a window of the house, over a ground close to the window panes.
PictureBox* figureBox(QWidget* parent, Twips bounds, const QPixmap& figure, const QCursor& sight,
                      bool visible) {
    return new PictureBox(parent, {.bounds = bounds,
                                   .picture = figure,
                                   .backColor = Colour::FigureGround,
                                   .pointer = sight,
                                   .toolTip = QStringLiteral("Střílej!!!"),
                                   .visible = visible,
                                   .accessibleName = QStringLiteral("Terč")});
}

// A button of the column beside the counters.
CommandButton* panelButton(QWidget* parent, int top, const QString& caption,
                           const QString& toolTip) {
    return new CommandButton(parent, {{10080, top, 1695, 375}, caption, toolTip});
}

} // namespace

Form1Screen::Form1Screen(FormsRuntime& runtime)
    : Form(runtime, Slot,
           {.caption = QStringLiteral("Omvar  v2.0"),
            .clientSize = {800, 600},
            .border = FormBorder::None,
            .icon = Pictures::programIcon()}) {
    const QCursor arrow(Qt::ArrowCursor);
    Picture1 = new PictureBox(client(), {.bounds = {0, 0, 12015, 9015},
                                         .picture = Pictures::house(),
                                         .pointer = Pictures::blueCross(),
                                         .accessibleName = QStringLiteral("Dům v noci")});

    // The labels and the line, bottom to top.
    Label1 = area(Picture1, {2880, 3960, 6255, 3615}, Pictures::sightGreen(),
                  QStringLiteral("Průčelí domu"));
    Label2 = area(Picture1, {7320, -120, 4695, 3615}, arrow, QStringLiteral("Panel počítadel"));
    Label9 = clockText(Picture1, {6720, 120, 615, 495}, QStringLiteral("60"), Qt::AlignHCenter);
    Label3 = clockText(Picture1, {5880, 120, 855, 495}, QStringLiteral("Čas:"), Qt::AlignLeft);
    Label4 = new Label(Picture1, {.bounds = {7440, 120, 4335, 1695},
                                  .backColor = Colour::LightGrey,
                                  .border = true,
                                  .pointer = arrow,
                                  .accessibleName = QStringLiteral("Počítadla")});
    Label5 =
        panelCaption(Picture1, {7560, 1320, 3135, 375}, QStringLiteral("Celkový počet střel:"));
    Label6 = panelCaption(Picture1, {7560, 720, 2175, 375}, QStringLiteral("Počet zásahů:"));
    Label7 =
        counter(Picture1, {10800, 1320, 855, 375}, QStringLiteral("Toto je celkový počet střel."));
    Label8 = counter(Picture1, {10800, 720, 855, 375},
                     QStringLiteral("Toto je počet střel, které cíl trefily."));
    Label10 =
        panelCaption(Picture1, {7560, 240, 3255, 375}, QStringLiteral("Počet střel mimo cíl:"));
    Line1 = new Line(Picture1, {7440, 1200, 11760, 1200, Colour::Navy, 2});
    Label11 = counter(Picture1, {10800, 240, 855, 375},
                      QStringLiteral("Toto je počet střel, které cíl minuly."));

    // Picture boxes and buttons lie above every label. The figure and its pointer are
    // decoded once for all five figures.
    const QPixmap figure = Pictures::figure();
    const QCursor sight = Pictures::sightRed();
    Picture2 = figureBox(Picture1, {3600, 4200, 735, 735}, figure, sight, true);
    Picture3 = figureBox(Picture1, {5640, 4320, 735, 735}, figure, sight, false);
    Picture4 = figureBox(Picture1, {7680, 4200, 735, 735}, figure, sight, false);
    Picture5 = figureBox(Picture1, {7680, 6360, 735, 735}, figure, sight, true);
    Picture6 = figureBox(Picture1, {3600, 6360, 735, 735}, figure, sight, false);
    Command1 = panelButton(Picture1, 2040, QStringLiteral("Návrat do Menu"),
                           QStringLiteral("Pokud kliknete, tak se vrátíte do úvodního menu."));
    Command2 = panelButton(Picture1, 2520, QStringLiteral("Zastavit hru"),
                           QStringLiteral("Pokud kliknete, tak se hra zastaví."));
    Command3 = panelButton(Picture1, 3000, QStringLiteral("Zpět do Windows"),
                           QStringLiteral("Pokud kliknete, tak se vrátíte do Windows."));

    Timer1 = addTimer(1000);
    Timer2 = addTimer(1100);
    Timer3 = addTimer(1600);
    Timer4 = addTimer(1000);
    Timer5 = addTimer(1200);
    Timer6 = addTimer(1600);
    Timer7 = addTimer(1300);

    setTabOrder(
        {Picture1, Command1, Command2, Command3, Picture2, Picture3, Picture4, Picture5, Picture6});
}

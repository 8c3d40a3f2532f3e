#include "screens/Form3Screen.h"

#include "screens/Colours.h"
#include "screens/Pictures.h"

namespace {} // namespace

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
    Line1 = new Line(Picture1, {.x1 = 120, .y1 = 4200, .x2 = 8040, .y2 = 4200});
    Line1->setAccessibleName(QStringLiteral("Oddělovač")); // a line has no caption
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
    Label5 = new Label(Picture1, {.bounds = {3120, 3480, 4695, 375},
                                  .caption = QStringLiteral("e-mail: omvar@example.org"),
                                  .font = {"MS Sans Serif", 12},
                                  .foreColor = Colour::Red,
                                  .backColor = Colour::PanelGrey,
                                  .alignment = Qt::AlignHCenter});
    Label4 = new Label(Picture1, {.bounds = {3240, 960, 4455, 1815},
                                  .caption = AboutText,
                                  .font = {"MS Sans Serif", 9.75, true},
                                  .foreColor = Colour::Blue,
                                  .backColor = Colour::PanelGrey,
                                  .alignment = Qt::AlignHCenter,
                                  .pointer = arrow});

    Command4 = new CommandButton(
        w, {.bounds = {480, 1440, 1695, 495},
            .caption = QStringLiteral("O programu"),
            .toolTip = QStringLiteral(
                "Pokud kliknete, tak se vám zobrazí podrobnější popis tohoto programu.")});
    Command3 = new CommandButton(
        w, {.bounds = {480, 2280, 1695, 495},
            .caption = QStringLiteral("Váš úkol"),
            .toolTip = QStringLiteral("Pokud kliknete, tak se zobrazí váš úkol v této hře.")});
    Command6 = new CommandButton(
        w, {.bounds = {480, 3120, 1695, 495},
            .caption = QStringLiteral("Skóre"),
            .toolTip = QStringLiteral("Pokud kliknete, tak se zobrazí vaše dočasné skóre.")});
    Command1 =
        new CommandButton(w, {.bounds = {480, 4440, 1695, 495},
                              .caption = QStringLiteral("Nová hra"),
                              .toolTip = QStringLiteral("Pokud kliknete, tak začnete novou hru.")});
    Command2 = new CommandButton(
        w, {.bounds = {3240, 4440, 1695, 495},
            .caption = QStringLiteral("Pokračovat ve hře"),
            .toolTip = QStringLiteral("Pokud kliknete, tak budete pokračovat ve hře."),
            .enabled = false});
    Command5 = new CommandButton(
        w, {.bounds = {6000, 4440, 1695, 495},
            .caption = QStringLiteral("Zpět do Windows"),
            .toolTip = QStringLiteral("Pokud kliknete, tak se vrátíte do Windows.")});

    setTabOrder({Command1, Command2, Command3, Command4, Command5, Command6, Picture1});
}

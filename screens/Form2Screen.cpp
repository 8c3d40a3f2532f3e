#include "screens/Form2Screen.h"

#include "screens/Colours.h"

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
    Command3 = new CommandButton(
        client(),
        {.bounds = {480, 1920, 1695, 495},
         .caption = QStringLiteral("Zpět do Windows"),
         .toolTip = QStringLiteral("Pokud kliknete, tak ukončíte hru a vrátíte se do Windows.")});
    Command2 = new CommandButton(
        client(), {.bounds = {3240, 1920, 1695, 495},
                   .caption = QStringLiteral("Návrat do Menu"),
                   .toolTip = QStringLiteral("Pokud kliknete, tak se vrátíte do úvodního menu.")});
    Command1 = new CommandButton(
        client(), {.bounds = {6000, 1920, 1695, 495},
                   .caption = QStringLiteral("Pokračovat ve hře"),
                   .toolTip = QStringLiteral("Pokud kliknete, tak hra bude pokračovat.")});
    setTabOrder({Command1, Command2, Command3});
}

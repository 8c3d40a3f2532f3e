#include "screens/Form1Screen.h"

#include "screens/Colours.h"
#include "screens/Pictures.h"

namespace {
constexpr FontSpec ClockFont{"Times New Roman", 20.25, true};
constexpr FontSpec PanelFont{"Times New Roman", 18, true};
const QString FigureTip = QStringLiteral("Střílej!!!");
} // namespace

Form1Screen::Form1Screen(FormsRuntime& runtime)
    : Form(runtime, Slot,
           {.caption = QStringLiteral("Omvar  v2.0"),
            .clientSize = {800, 600},
            .border = FormBorder::None,
            .icon = Pictures::programIcon()}) {
    const QCursor arrow(Qt::ArrowCursor);
    const QCursor cross = Pictures::blueCross();
    const QCursor sightRed = Pictures::sightRed();
    const QPixmap figure = Pictures::figure();

    Picture1 = new PictureBox(client(), {.bounds = {0, 0, 12015, 9015},
                                         .picture = Pictures::house(),
                                         .pointer = cross,
                                         .accessibleName = QStringLiteral("Dům v noci")});

    // The labels and the line, bottom to top.
    Label1 = new Label(Picture1, {.bounds = {2880, 3960, 6255, 3615},
                                  .transparent = true,
                                  .pointer = Pictures::sightGreen(),
                                  .accessibleName = QStringLiteral("Průčelí domu")});
    Label2 = new Label(Picture1, {.bounds = {7320, -120, 4695, 3615},
                                  .transparent = true,
                                  .pointer = arrow,
                                  .accessibleName = QStringLiteral("Panel počítadel")});
    Label9 = new Label(Picture1, {.bounds = {6720, 120, 615, 495},
                                  .caption = QStringLiteral("60"),
                                  .font = ClockFont,
                                  .foreColor = Colour::Green,
                                  .transparent = true,
                                  .alignment = Qt::AlignHCenter});
    Label3 = new Label(Picture1, {.bounds = {5880, 120, 855, 495},
                                  .caption = QStringLiteral("Čas:"),
                                  .font = ClockFont,
                                  .foreColor = Colour::Green,
                                  .transparent = true});
    Label4 = new Label(Picture1, {.bounds = {7440, 120, 4335, 1695},
                                  .backColor = Colour::LightGrey,
                                  .border = true,
                                  .pointer = arrow,
                                  .accessibleName = QStringLiteral("Počítadla")});
    Label5 = new Label(Picture1, {.bounds = {7560, 1320, 3135, 375},
                                  .caption = QStringLiteral("Celkový počet střel:"),
                                  .font = PanelFont,
                                  .foreColor = Colour::Red,
                                  .pointer = arrow});
    Label6 = new Label(Picture1, {.bounds = {7560, 720, 2175, 375},
                                  .caption = QStringLiteral("Počet zásahů:"),
                                  .font = PanelFont,
                                  .foreColor = Colour::Red,
                                  .pointer = arrow});
    Label7 = new Label(Picture1, {.bounds = {10800, 1320, 855, 375},
                                  .caption = QStringLiteral("0"),
                                  .font = PanelFont,
                                  .foreColor = Colour::Blue,
                                  .alignment = Qt::AlignHCenter,
                                  .pointer = arrow,
                                  .toolTip = QStringLiteral("Toto je celkový počet střel.")});
    Label8 =
        new Label(Picture1, {.bounds = {10800, 720, 855, 375},
                             .caption = QStringLiteral("0"),
                             .font = PanelFont,
                             .foreColor = Colour::Blue,
                             .alignment = Qt::AlignHCenter,
                             .pointer = arrow,
                             .toolTip = QStringLiteral("Toto je počet střel, které cíl trefily.")});
    Label10 = new Label(Picture1, {.bounds = {7560, 240, 3255, 375},
                                   .caption = QStringLiteral("Počet střel mimo cíl:"),
                                   .font = PanelFont,
                                   .foreColor = Colour::Red,
                                   .pointer = arrow});
    Line1 = new Line(
        Picture1,
        {.x1 = 7440, .y1 = 1200, .x2 = 11760, .y2 = 1200, .color = Colour::Navy, .width = 2});
    Line1->setAccessibleName(QStringLiteral("Oddělovač")); // a line has no caption
    Label11 =
        new Label(Picture1, {.bounds = {10800, 240, 855, 375},
                             .caption = QStringLiteral("0"),
                             .font = PanelFont,
                             .foreColor = Colour::Blue,
                             .alignment = Qt::AlignHCenter,
                             .pointer = arrow,
                             .toolTip = QStringLiteral("Toto je počet střel, které cíl minuly.")});

    // Picture boxes and buttons lie above every label.
    const auto figureBox = [&](Twips bounds, bool visible) {
        return new PictureBox(Picture1, {.bounds = bounds,
                                         .picture = figure,
                                         .backColor = Colour::FigureGround,
                                         .pointer = sightRed,
                                         .toolTip = FigureTip,
                                         .visible = visible,
                                         .accessibleName = QStringLiteral("Terč")});
    };
    Picture2 = figureBox({3600, 4200, 735, 735}, true);
    Picture3 = figureBox({5640, 4320, 735, 735}, false);
    Picture4 = figureBox({7680, 4200, 735, 735}, false);
    Picture5 = figureBox({7680, 6360, 735, 735}, true);
    Picture6 = figureBox({3600, 6360, 735, 735}, false);

    const auto button = [&](int top, const QString& caption, const QString& toolTip) {
        return new CommandButton(
            Picture1, {.bounds = {10080, top, 1695, 375}, .caption = caption, .toolTip = toolTip});
    };
    Command1 = button(2040, QStringLiteral("Návrat do Menu"),
                      QStringLiteral("Pokud kliknete, tak se vrátíte do úvodního menu."));
    Command2 = button(2520, QStringLiteral("Zastavit hru"),
                      QStringLiteral("Pokud kliknete, tak se hra zastaví."));
    Command3 = button(3000, QStringLiteral("Zpět do Windows"),
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

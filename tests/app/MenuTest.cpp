// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form2.h"
#include "app/Form3.h"
#include "game/Form1.h"
#include "scores/Form4.h"
#include "support/TestProgram.h"
#include "support/TestRegistry.h"

#include <QGuiApplication>
#include <QScreen>

class MenuTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithOnlyTheMenuCentredAndContinueDisabled() {
        TestProgram t;
        QVERIFY(t.isLoaded<Form3>());
        QVERIFY(!t.isLoaded<Form1>() && !t.isLoaded<Form2>() && !t.isLoaded<Form4>());
        Form3& menu = t.form<Form3>();
        QVERIFY(menu.Visible());
        QCOMPARE(menu.window()->windowTitle(), QStringLiteral("Omvar  v2.0"));
        QCOMPARE(menu.window()->size(), QSize(546, 344));
        // The window with its frame is centred: Windows draws a title bar onto it.
        QCOMPARE(menu.window()->frameGeometry().center(),
                 QGuiApplication::primaryScreen()->geometry().center());
        QVERIFY(!menu.Command2->isEnabled());
        for (auto* button :
             {menu.Command1, menu.Command3, menu.Command4, menu.Command5, menu.Command6}) {
            QVERIFY(button->isEnabled());
        }
        QCOMPARE(menu.Label2->Caption(), QStringLiteral("O programu:"));
        QVERIFY(menu.Label4->Caption().startsWith(
            QStringLiteral("Hra < Omvar  v2.0 > prověří, kolik toho vydrží Vaše prsty. ")));
        QCOMPARE(menu.window()->focusWidget(), menu.Command1);
        QVERIFY(t.sound->calls.empty());
    }

    void taskAndAboutSwitchTheAboutBoxBackExactly() {
        TestProgram t;
        Form3& menu = t.form<Form3>();
        const QString heading = menu.Label2->Caption();
        const QString about = menu.Label4->Caption();
        t.click(menu.Command3);
        QCOMPARE(menu.Label2->Caption(), QStringLiteral("Váš úkol:"));
        QVERIFY(menu.Label4->Caption().startsWith(
            QStringLiteral("Až spustíte hru, tak se před vámi zobrazí dům")));
        t.click(menu.Command4);
        QCOMPARE(menu.Label2->Caption(), heading);
        QCOMPARE(menu.Label4->Caption(), about);
        QCOMPARE(t.sound->played(), (QStringList{"Data4.dat", "Data4.dat"}));
        QCOMPARE(t.sound->calls[0].fileName, t.program->programFile("Data4.dat"));
        QCOMPARE(t.sound->calls[0].flags, 0x20003u);
    }

    void exitsEndTheProgramSilently_data() {
        QTest::addColumn<bool>("visitScores");
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("Zpět do Windows") << false << false;
        QTest::newRow("window closed") << false << true;
        QTest::newRow("Zpět do Windows after the score table was left") << true << false;
        QTest::newRow("window closed after the score table was left") << true << true;
    }
    void exitsEndTheProgramSilently() {
        QFETCH(bool, visitScores);
        QFETCH(bool, closeWindow);
        TestProgram t;
        Form3& menu = t.form<Form3>();
        if (visitScores) {
            t.click(menu.Command6);
            t.click(t.form<Form4>().Command1); // back to the menu: the table stays loaded, hidden
            QVERIFY(menu.Visible());
        }
        t.sound->clear();
        QWidget* window = menu.window();
        if (closeWindow) {
            t.close(window);
        } else {
            t.click(menu.Command5);
        }
        QVERIFY(t.ended());
        QVERIFY(!t.isLoaded<Form1>() && !t.isLoaded<Form3>() && !t.isLoaded<Form4>());
        // Only the score table screen's own unload makes a sound; the exits are silent.
        QCOMPARE(t.sound->played(), visitScores ? QStringList{"Data4.dat"} : QStringList{});
    }

    void scoreBeforeAnyGameShowsZeroesAndToday() {
        TestProgram t;
        t.click(t.form<Form3>().Command6);
        Form4& table = t.form<Form4>();
        QVERIFY(table.Visible());
        QVERIFY(!t.form<Form3>().Visible());
        QVERIFY(t.isLoaded<Form1>());
        QVERIFY(!t.form<Form1>().Visible());
        QCOMPARE(table.Frame1->Caption(), QStringLiteral("Dočasné skóre:"));
        const QStringList boxes{table.Text4->Text(), table.Text2->Text(), table.Text3->Text(),
                                table.Text1->Text()};
        QCOMPARE(boxes, (QStringList{"0", "0", "0", "0"}));
        QCOMPARE(table.Text5->Text(), QLocale().toString(QDate(2026, 12, 8), QLocale::ShortFormat));
    }

    // The game makes its sound output once the menu has been painted; a click that comes
    // first is not heard, and does what it does.
    void aClickBeforeTheSoundOutputExistsActsSilently() {
        ProgramHarness t(std::make_unique<ManualClock>(), nullptr);
        t.click(t.form<Form3>().Command1);
        QVERIFY(t.form<Form1>().Visible());
        QVERIFY(!t.form<Form3>().Visible());
    }
};

static const RegisteredTest<MenuTest> registered;
#include "MenuTest.moc"

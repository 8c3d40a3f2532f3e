// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form2.h"
#include "scores/Form4.h"
#include "support/GameFixture.h"
#include "support/TestRegistry.h"

class PauseDialogTest : public QObject {
    Q_OBJECT

private slots:
    void pausingFreezesTheGameBehindTheDialog() {
        TestProgram t;
        Form1& game = newGame(t);
        t.clickInWindow(game.window(), GamePoint::Picture2);
        t.clock->advance(500);
        t.click(game.Command2);
        Form2& pause = t.form<Form2>();
        QVERIFY(pause.Visible());
        QVERIFY(game.Visible() && !game.Enabled());
        QCOMPARE(t.clock->activeTimers(), 0);
        t.sound->clear();
        for (QPoint at : {GamePoint::Picture2, GamePoint::HouseFront, GamePoint::Sky}) {
            t.clickInWindow(game.window(), at);
        }
        t.click(game.Command1);
        t.clock->advance(10000);
        QVERIFY(t.sound->calls.empty());
        QCOMPARE(counters(game), (QStringList{"1", "1", "0", "60"}));
        QCOMPARE(figures(game), QStringLiteral("X..X."));

        t.click(pause.Command1); // resume: the schedule starts afresh from the figures as they are
        QVERIFY(!pause.Visible() && game.Enabled());
        t.clock->advance(999);
        QCOMPARE(figures(game), QStringLiteral("X..X."));
        QCOMPARE(game.Label9->Caption(), QStringLiteral("60"));
        t.clock->advance(1);
        QCOMPARE(figures(game), QStringLiteral("XX.XX"));
        QCOMPARE(game.Label9->Caption(), QStringLiteral("59"));
        t.clickInWindow(game.window(), GamePoint::HouseFront);
        QCOMPARE(counters(game), (QStringList{"2", "1", "1", "59"}));
    }

    void aGamePausedAtOneSecondEndsOneFullSecondAfterResuming() {
        TestProgram t;
        Form1& game = newGame(t);
        t.clock->advance(59500);
        t.click(game.Command2);
        t.click(t.form<Form2>().Command1);
        t.clock->advance(999);
        QCOMPARE(game.Label9->Caption(), QStringLiteral("1"));
        t.clock->advance(1);
        QCOMPARE(game.Label9->Caption(), QStringLiteral("0"));
        QVERIFY(!game.Visible());
    }

    void backToTheMenuThenContinueEnablesTheGameAgain() {
        TestProgram t;
        Form1& game = newGame(t);
        t.clock->advance(60000); // an earlier game ran out: "Pokračovat ve hře" is off
        t.click(t.form<Form3>().Command1);
        t.click(game.Command2);
        Form2& pause = t.form<Form2>();
        t.click(pause.Command2);
        Form3& menu = t.form<Form3>();
        QVERIFY(!game.Visible() && !pause.Visible() && menu.Visible());
        QVERIFY(!game.Enabled());
        QVERIFY(menu.Command2->isEnabled());
        t.click(menu.Command2);
        QVERIFY(game.Enabled());
        t.clickInWindow(game.window(), GamePoint::HouseFront);
        QCOMPARE(game.Label11->Caption(), QStringLiteral("1"));
        t.click(game.Command2); // the same dialog comes back
        QCOMPARE(&t.form<Form2>(), &pause);
        QVERIFY(pause.Visible());
    }

    void closingTheDialogResumesTheGame() {
        TestProgram t;
        Form1& game = newGame(t);
        t.click(game.Command2);
        t.close(t.form<Form2>().window());
        QVERIFY(!t.form<Form2>().Visible());
        QVERIFY(game.Enabled());
        QCOMPARE(t.clock->activeTimers(), 7);
    }

    void zpetDoWindowsEndsTheProgramWithTheMenuHidden_data() {
        QTest::addColumn<bool>("scoreTableLoaded");
        QTest::newRow("score table never opened") << false;
        QTest::newRow("score table loaded and hidden") << true;
    }
    void zpetDoWindowsEndsTheProgramWithTheMenuHidden() {
        QFETCH(bool, scoreTableLoaded);
        TestProgram t;
        if (scoreTableLoaded) {
            t.click(t.form<Form3>().Command6);
            t.click(t.form<Form4>().Command1);
        }
        Form1& game = newGame(t);
        t.click(game.Command2);
        t.sound->clear();
        t.click(t.form<Form2>().Command3);
        QVERIFY(t.ended());
        // The score table screen's unload plays its button sound; the exit itself is silent.
        QCOMPARE(t.sound->played(), scoreTableLoaded ? QStringList{"Data4.dat"} : QStringList{});
    }
};

static const RegisteredTest<PauseDialogTest> registered;
#include "PauseDialogTest.moc"

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form2.h"
#include "scores/Form4.h"
#include "support/GameFixture.h"
#include "support/TestRegistry.h"

class GameTest : public QObject {
    Q_OBJECT

private slots:
    void newGameShowsTheScreenWithCountersResetAndTimersOn() {
        TestProgram t;
        Form1& game = newGame(t);
        QVERIFY(game.Visible());
        QVERIFY(game.Enabled());
        QVERIFY(!t.form<Form3>().Visible());
        QCOMPARE(game.window()->size(), QSize(800, 600));
        QCOMPARE(counters(game), (QStringList{"0", "0", "0", "60"}));
        QCOMPARE(t.clock->activeTimers(), 7);
    }

    void figuresFollowTheirFixedSchedule_data() {
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("up");
        QTest::newRow("before the first tick") << 999 << "X..X.";
        QTest::newRow("1000 Timer4") << 1000 << "XX.XX";
        QTest::newRow("1100 Timer2") << 1100 << ".X.XX";
        QTest::newRow("1200 Timer5") << 1200 << "....X";
        QTest::newRow("1300 Timer7") << 1300 << ".....";
        QTest::newRow("1600 Timer3 and Timer6") << 1600 << "X.X..";
        QTest::newRow("2000 Timer4") << 2000 << "XXX.X";
        QTest::newRow("2200 Timer2") << 2200 << ".XXXX";
        QTest::newRow("2400 Timer5") << 2400 << "..X.X";
        QTest::newRow("2600 Timer7") << 2600 << ".....";
        QTest::newRow("3000 Timer4") << 3000 << ".X..X";
    }
    void figuresFollowTheirFixedSchedule() {
        QFETCH(int, at);
        QFETCH(QString, up);
        TestProgram t;
        Form1& game = newGame(t);
        t.clock->advance(at);
        QCOMPARE(figures(game), up);
    }

    void shotsCountWhereTheyLand_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QStringList>("counts");
        QTest::addColumn<QStringList>("sounds");
        const QStringList none{"0", "0", "0", "60"};
        QTest::newRow("visible figure is a hit")
            << GamePoint::Picture2 << QStringList{"1", "1", "0", "60"} << QStringList{"Data1.dat"};
        QTest::newRow("other visible figure is a hit")
            << GamePoint::Picture5 << QStringList{"1", "1", "0", "60"} << QStringList{"Data1.dat"};
        QTest::newRow("hidden figure's square is a miss")
            << GamePoint::Picture3 << QStringList{"1", "0", "1", "60"} << QStringList{"Data3.dat"};
        QTest::newRow("house front is a miss")
            << GamePoint::HouseFront << QStringList{"1", "0", "1", "60"}
            << QStringList{"Data3.dat"};
        QTest::newRow("sky is no shot") << GamePoint::Sky << none << QStringList{"Data2.dat"};
        QTest::newRow("Čas: is no shot")
            << GamePoint::TimeCaption << none << QStringList{"Data2.dat"};
        QTest::newRow("time display is no shot")
            << GamePoint::TimeDisplay << none << QStringList{"Data2.dat"};
        QTest::newRow("counter panel does nothing")
            << GamePoint::CounterPanel << none << QStringList{};
        QTest::newRow("area beside the buttons does nothing")
            << GamePoint::BesideButtons << none << QStringList{};
    }
    void shotsCountWhereTheyLand() {
        QFETCH(QPoint, at);
        QFETCH(QStringList, counts);
        QFETCH(QStringList, sounds);
        TestProgram t;
        Form1& game = newGame(t);
        t.clickInWindow(game.window(), at);
        QCOMPARE(counters(game), counts);
        QCOMPARE(t.sound->played(), sounds);
    }

    void aFigureStaysUpAfterAHitAndEveryClickIsAShot() {
        TestProgram t;
        Form1& game = newGame(t);
        for (int i = 0; i < 3; ++i) {
            t.clickInWindow(game.window(), GamePoint::Picture2);
        }
        t.doubleClickInWindow(game.window(), GamePoint::HouseFront); // the second press is no shot
        QCOMPARE(counters(game), (QStringList{"4", "3", "1", "60"}));
        QCOMPARE(figures(game), QStringLiteral("X..X."));
    }

    void theGameEndsAfterSixtySecondsOfRunningTime() {
        TestProgram t;
        Form1& game = newGame(t);
        t.clock->advance(1000);
        QCOMPARE(game.Label9->Caption(), QStringLiteral("59"));
        t.clickInWindow(game.window(), GamePoint::HouseFront);
        t.clock->advance(58999);
        QCOMPARE(game.Label9->Caption(), QStringLiteral("1"));
        QVERIFY(game.Visible());
        t.sound->clear();
        t.clock->advance(1);
        QCOMPARE(counters(game), (QStringList{"1", "0", "1", "0"}));
        QVERIFY(!game.Visible());
        Form3& menu = t.form<Form3>();
        QVERIFY(menu.Visible());
        QVERIFY(menu.Command6->isEnabled());
        QVERIFY(!menu.Command2->isEnabled());
        QCOMPARE(t.sound->played(), QStringList{"Data2.dat"});
        QCOMPARE(t.clock->activeTimers(), 0);
    }

    void returningToTheMenuHoldsTheGameForContinuing() {
        TestProgram t;
        Form1& game = newGame(t);
        t.clickInWindow(game.window(), GamePoint::Picture2);
        t.clock->advance(2500);
        const QString up = figures(game);
        t.click(game.Command1);
        Form3& menu = t.form<Form3>();
        QVERIFY(!game.Visible() && menu.Visible());
        QVERIFY(menu.Command2->isEnabled() && menu.Command6->isEnabled());
        t.clock->advance(10000); // time at the menu does not count
        t.click(menu.Command2);
        QVERIFY(game.Visible() && !menu.Visible());
        QCOMPARE(counters(game), (QStringList{"1", "1", "0", "58"}));
        QCOMPARE(figures(game), up);
        t.clock->advance(999);
        QCOMPARE(game.Label9->Caption(), QStringLiteral("58"));
        t.clock->advance(1);
        QCOMPARE(game.Label9->Caption(), QStringLiteral("57"));
    }

    void aNewGameResetsTheCountersButNotTheFigures() {
        TestProgram t;
        Form1& game = newGame(t);
        t.clickInWindow(game.window(), GamePoint::HouseFront);
        t.clock->advance(60000);
        const QString up = figures(game);
        t.click(t.form<Form3>().Command1);
        QCOMPARE(counters(game), (QStringList{"0", "0", "0", "60"}));
        QCOMPARE(figures(game), up);
    }

    void closingTheGameScreenReturnsToTheMenu() {
        TestProgram t;
        Form1& game = newGame(t);
        t.clickInWindow(game.window(), GamePoint::Picture2);
        t.close(game.window());
        QVERIFY(!t.ended());
        QVERIFY(t.isLoaded<Form1>());
        QVERIFY(!game.Visible());
        QVERIFY(t.form<Form3>().Visible());
        QVERIFY(t.form<Form3>().Command2->isEnabled());
        QCOMPARE(t.clock->activeTimers(), 0);
        QCOMPARE(counters(game), (QStringList{"1", "1", "0", "60"}));
    }

    void zpetDoWindowsEndsTheProgramSilently() {
        TestProgram t;
        Form1& game = newGame(t);
        t.click(game.Command3);
        QVERIFY(t.ended());
        QVERIFY(t.sound->calls.empty());
    }
};

static const RegisteredTest<GameTest> registered;
#include "GameTest.moc"

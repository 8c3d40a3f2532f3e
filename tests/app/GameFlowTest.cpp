// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form2.h"
#include "support/ScoreTableFixture.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace {

// Everything a player could see of the program: which screens are loaded, shown and
// enabled, every control's text, visibility and enabled state, the running timers and the
// score file's size.
QString everythingVisible(TestProgram& t) {
    QStringList state;
    for (int slot = 0; slot < 5; ++slot) {
        const Form* form = t.program->runtime().loaded(slot);
        state << (form == nullptr ? QStringLiteral("form %1 not loaded").arg(slot)
                                  : QStringLiteral("form %1 visible %2 enabled %3")
                                        .arg(slot)
                                        .arg(int(form->Visible()))
                                        .arg(int(form->Enabled())));
        if (form == nullptr) {
            continue;
        }
        for (const QWidget* control : form->window()->findChildren<QWidget*>()) {
            QString text;
            if (const auto* label = dynamic_cast<const Label*>(control)) {
                text = label->Caption();
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
                text = button->text();
            } else if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
                text = box->text();
            } else if (const auto* frame = dynamic_cast<const Frame*>(control)) {
                text = frame->Caption();
            } else if (const auto* list = dynamic_cast<const ListBox*>(control)) {
                text = QStringLiteral("%1 of %2").arg(list->ListIndex()).arg(list->ListCount());
            }
            state << QStringLiteral("%1 %2%3")
                         .arg(text)
                         .arg(control->isVisible())
                         .arg(control->isEnabled());
        }
    }
    state << QStringLiteral("timers %1").arg(t.clock->activeTimers());
    state << QStringLiteral("file %1").arg(QFileInfo(t.path("Data5.dat")).size());
    return state.join(u'\n');
}

// Where to click: a control, at its centre unless a point is given.
struct Target {
    Target(QWidget* control, QPoint at = {-1, -1}) : control(control), at(at) {}
    QWidget* control;
    QPoint at;
};

// A button that plays the button sound, reached the way a player reaches it.
struct SoundingButton {
    const char* name;
    std::function<Target(TestProgram&)> open;
};

Form4& tableWithTwoPlayers(TestProgram& t) {
    writeFile(t.path("Data5.dat"), "Anna,1,3,4,1.1.2026\r\nBob,2,2,4,2.1.2026\r\n");
    return openScoreTable(t);
}

const std::vector<SoundingButton>& soundingButtons() {
    static const std::vector<SoundingButton> all{
        {"menu, Nová hra", [](TestProgram& t) -> Target { return t.form<Form3>().Command1; }},
        {"menu, Pokračovat ve hře",
         [](TestProgram& t) -> Target {
             t.click(newGame(t).Command1);
             return t.form<Form3>().Command2;
         }},
        {"menu, Váš úkol", [](TestProgram& t) -> Target { return t.form<Form3>().Command3; }},
        {"menu, O programu",
         [](TestProgram& t) -> Target {
             t.click(t.form<Form3>().Command3);
             return t.form<Form3>().Command4;
         }},
        {"menu, Skóre", [](TestProgram& t) -> Target { return t.form<Form3>().Command6; }},
        {"game, Návrat do Menu", [](TestProgram& t) -> Target { return newGame(t).Command1; }},
        {"game, Zastavit hru", [](TestProgram& t) -> Target { return newGame(t).Command2; }},
        {"pause, Pokračovat ve hře",
         [](TestProgram& t) -> Target {
             t.click(newGame(t).Command2);
             return t.form<Form2>().Command1;
         }},
        {"pause, Návrat do Menu",
         [](TestProgram& t) -> Target {
             t.click(newGame(t).Command2);
             return t.form<Form2>().Command2;
         }},
        {"table, Návrat do Menu",
         [](TestProgram& t) -> Target { return tableWithTwoPlayers(t).Command1; }},
        {"table, Dočasné skóre",
         [](TestProgram& t) -> Target {
             Form4& table = tableWithTwoPlayers(t);
             clickEntry(t, table, 1);
             return table.Command4;
         }},
        {"table, Uložit dočasné skóre",
         [](TestProgram& t) -> Target { return tableWithTwoPlayers(t).Command2; }},
        {"name entry, Ok",
         [](TestProgram& t) -> Target {
             t.click(tableWithTwoPlayers(t).Command2);
             return t.form<Form5>().Command1;
         }},
        {"name entry, Storno",
         [](TestProgram& t) -> Target {
             t.click(tableWithTwoPlayers(t).Command2);
             return t.form<Form5>().Command2;
         }},
    };
    return all;
}

} // namespace

class GameFlowTest : public QObject {
    Q_OBJECT

private slots:
    void newGameAfterLeavingThePauseDialogForTheMenuEnablesTheGame() {
        TestProgram t;
        Form1& game = newGame(t);
        t.click(game.Command2);
        t.click(t.form<Form2>().Command2); // back to the menu: the game screen stays disabled
        QVERIFY(!game.Enabled());
        t.click(t.form<Form3>().Command1);
        QVERIFY(game.Visible() && game.Enabled());
        t.clickInWindow(game.window(), GamePoint::HouseFront);
        QCOMPARE(counters(game), (QStringList{"1", "0", "1", "60"}));
        QCOMPARE(t.sound->played().last(), QStringLiteral("Data3.dat"));
    }

    // The end of a game sets both buttons, whatever they were before.
    void theEndOfAGameSetsTheMenusButtons_data() {
        QTest::addColumn<bool>("scoreWasOff");
        QTest::newRow("after a return to the menu and Pokračovat ve hře") << false;
        QTest::newRow("with Skóre switched off meanwhile") << true;
    }
    void theEndOfAGameSetsTheMenusButtons() {
        QFETCH(bool, scoreWasOff);
        TestProgram t;
        Form1& game = newGame(t);
        t.clock->advance(30000);
        t.click(game.Command1);
        Form3& menu = t.form<Form3>();
        QVERIFY(menu.Command2->isEnabled());
        t.click(menu.Command2);
        if (scoreWasOff) {
            menu.Command6->setEnabled(false);
        }
        t.clock->advance(30000);
        QVERIFY(menu.Visible());
        QVERIFY(!menu.Command2->isEnabled());
        QVERIFY(menu.Command6->isEnabled());
    }

    void everyButtonPlaysItsSoundBeforeItActs_data() {
        QTest::addColumn<int>("button");
        for (size_t i = 0; i < soundingButtons().size(); ++i) {
            QTest::newRow(soundingButtons()[i].name) << int(i);
        }
    }
    void everyButtonPlaysItsSoundBeforeItActs() {
        QFETCH(int, button);
        TestProgram t;
        const Target target = soundingButtons().at(size_t(button)).open(t);
        const QString before = everythingVisible(t);
        QString atSound;
        t.sound->clear();
        t.sound->whilePlaying = [&] {
            if (atSound.isEmpty()) {
                atSound = everythingVisible(t);
            }
        };
        t.click(target.control, target.at);
        QCOMPARE(t.sound->played().value(0), QStringLiteral("Data4.dat"));
        QCOMPARE(atSound, before);
        QVERIFY(everythingVisible(t) != before);
    }

    // Only a stray event could reach a shot with the time at "0"; it counts, silently.
    void aShotWithTheTimeAtZeroCountsWithoutSound_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QStringList>("counts");
        QTest::newRow("hit") << GamePoint::Picture2 << QStringList{"1", "1", "0", "0"};
        QTest::newRow("miss") << GamePoint::HouseFront << QStringList{"1", "0", "1", "0"};
    }
    void aShotWithTheTimeAtZeroCountsWithoutSound() {
        QFETCH(QPoint, at);
        QFETCH(QStringList, counts);
        TestProgram t;
        Form1& game = newGame(t);
        game.Label9->setCaption(QStringLiteral("0"));
        t.clickInWindow(game.window(), at);
        QCOMPARE(counters(game), counts);
        QVERIFY(t.sound->calls.empty());
    }
};

static const RegisteredTest<GameFlowTest> registered;
#include "GameFlowTest.moc"

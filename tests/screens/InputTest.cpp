// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form2.h"
#include "support/ScoreTableFixture.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

namespace {

// A command button on some screen, brought up the way a player gets there, and what
// pressing it visibly does.
struct ButtonCase {
    const char* name;
    std::function<CommandButton*(TestProgram&)> open;
    std::function<bool(TestProgram&)> pressed;
};

const std::vector<ButtonCase>& buttonCases() {
    static const std::vector<ButtonCase> all{
        {"menu, Váš úkol", [](TestProgram& t) { return t.form<Form3>().Command3; },
         [](TestProgram& t) { return t.form<Form3>().Label2->Caption() == "Váš úkol:"; }},
        {"game screen, Zastavit hru", [](TestProgram& t) { return newGame(t).Command2; },
         [](TestProgram& t) { return t.isLoaded<Form2>() && t.form<Form2>().Visible(); }},
        {"pause dialog, Návrat do Menu",
         [](TestProgram& t) {
             t.click(newGame(t).Command2);
             return t.form<Form2>().Command2;
         },
         [](TestProgram& t) { return t.form<Form3>().Visible(); }},
        {"score table, Uložit dočasné skóre",
         [](TestProgram& t) { return openScoreTable(t).Command2; },
         [](TestProgram& t) { return t.isLoaded<Form5>(); }},
        {"name entry dialog, Storno",
         [](TestProgram& t) {
             t.click(openScoreTable(t).Command2);
             return t.form<Form5>().Command2;
         },
         [](TestProgram& t) { return !t.isLoaded<Form5>(); }},
    };
    return all;
}

QString nameBoxAfter(TestProgram& t, const QString& typed, int selectionStart, int selectionLength,
                     const QString& input, bool paste) {
    t.click(openScoreTable(t).Command2);
    TextBox* box = t.form<Form5>().Text1;
    t.type(box, typed);
    if (selectionLength > 0) {
        box->setSelection(selectionStart, selectionLength);
    } else {
        box->setCursorPosition(selectionStart < 0 ? int(box->Text().size()) : selectionStart);
    }
    if (paste) {
        QGuiApplication::clipboard()->setText(input);
        QTest::keySequence(box, QKeySequence::Paste);
    } else {
        t.type(box, input);
    }
    return box->Text();
}

} // namespace

class InputTest : public QObject {
    Q_OBJECT

private slots:
    void enterAndSpacePressTheFocusedButton_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");
        for (size_t i = 0; i < buttonCases().size(); ++i) {
            const QByteArray name = buttonCases()[i].name;
            QTest::newRow(name + ", Enter") << int(i) << int(Qt::Key_Return);
            QTest::newRow(name + ", keypad Enter") << int(i) << int(Qt::Key_Enter);
            QTest::newRow(name + ", Space") << int(i) << int(Qt::Key_Space);
        }
    }
    void enterAndSpacePressTheFocusedButton() {
        QFETCH(int, button);
        QFETCH(int, key);
        const ButtonCase& c = buttonCases().at(size_t(button));
        TestProgram t;
        CommandButton* control = c.open(t);
        control->setFocus();
        t.sound->clear();
        QVERIFY(!c.pressed(t));
        QTest::keyClick(control, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        t.settle();
        QVERIFY(c.pressed(t));
        QCOMPARE(t.sound->played().value(0), QStringLiteral("Data4.dat"));
    }

    // No button is a default or a cancel button: Enter outside a button and Esc anywhere
    // press nothing.
    void enterInTheNameBoxAndEscapePressNothing_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter in the name box") << int(Qt::Key_Return);
        QTest::newRow("Esc in the name box") << int(Qt::Key_Escape);
    }
    void enterInTheNameBoxAndEscapePressNothing() {
        QFETCH(int, key);
        TestProgram t;
        t.click(openScoreTable(t).Command2);
        Form5& dialog = t.form<Form5>();
        t.type(dialog.Text1, QStringLiteral("Dido"));
        t.sound->clear();
        QTest::keyClick(dialog.Text1, Qt::Key(key));
        t.settle();
        QVERIFY(t.isLoaded<Form5>());
        QCOMPARE(dialog.Text1->Text(), QStringLiteral("Dido"));
        QVERIFY(!QFile::exists(t.path("Data5.dat")));
        QVERIFY(t.sound->calls.empty());
    }

    void escapeLeavesThePauseDialogUp() {
        TestProgram t;
        t.click(newGame(t).Command2);
        Form2& pause = t.form<Form2>();
        QTest::keyClick(pause.Command1, Qt::Key_Escape);
        QVERIFY(pause.Visible());
        QVERIFY(!t.form<Form1>().Enabled());
    }

    // Some window systems activate a window that is clicked, even a disabled one: the
    // dialog it owns takes the activation back, so typed keys still reach the dialog. The
    // click moves no focus either: once the dialog is gone, Space must not press the
    // "Zpět do Windows" button that was clicked while its screen was frozen.
    void aDisabledOwnerLeavesTheKeyboardWithItsDialog_data() {
        QTest::addColumn<bool>("nameEntry");
        QTest::newRow("pause dialog over the game screen") << false;
        QTest::newRow("name entry dialog over the score table") << true;
    }
    void aDisabledOwnerLeavesTheKeyboardWithItsDialog() {
        QFETCH(bool, nameEntry);
        TestProgram t;
        Form* owner = nameEntry ? static_cast<Form*>(&openScoreTable(t)) : &newGame(t);
        t.click(nameEntry ? t.form<Form4>().Command2 : t.form<Form1>().Command2);
        Form* dialog = nameEntry ? static_cast<Form*>(&t.form<Form5>()) : &t.form<Form2>();
        QCOMPARE(dialog->window()->windowHandle()->transientParent(),
                 owner->window()->windowHandle());
        t.click(nameEntry ? t.form<Form4>().Command3 : t.form<Form1>().Command3);
        owner->window()->activateWindow();
        QCoreApplication::processEvents(); // the owner is activated
        QCoreApplication::processEvents(); // and hands the activation on
        QCOMPARE(QApplication::activeWindow(), dialog->window());
        if (nameEntry) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Jo"));
            QCOMPARE(t.form<Form5>().Text1->Text(), QStringLiteral("Jo"));
        }
        t.click(nameEntry ? t.form<Form5>().Command2 : t.form<Form2>().Command1);
        owner->window()->activateWindow();
        QCoreApplication::processEvents();
        QTest::keyClick(owner->window()->windowHandle(), Qt::Key_Space);
        t.settle();
        QVERIFY(!t.ended());
    }

    void aClickOnTheHighlightedPlayerShowsTheRecord() {
        TestProgram t;
        writeFile(t.path("Data5.dat"), "Anna,1,3,4,1.1.2026\r\nBob,2,2,4,2.1.2026\r\n");
        Form4& table = openScoreTable(t);
        QCOMPARE(table.List1->ListIndex(), 0);
        QCOMPARE(table.Frame1->Caption(), QStringLiteral("Dočasné skóre:"));
        for (int click = 1; click <= 2; ++click) {
            t.sound->clear();
            clickEntry(t, table, 0);
            QCOMPARE(table.Frame1->Caption(), QStringLiteral("Skóre hráče:"));
            QCOMPARE(statistics(table), (QStringList{"1", "3", "4", "75", "1.1.2026"}));
            QCOMPARE(t.sound->played(), QStringList{"Data4.dat"});
        }
        t.sound->clear();
        t.click(table.List1->viewport(), {20, 150}); // below the last entry
        QVERIFY(t.sound->calls.empty());
        QCOMPARE(table.List1->ListIndex(), 0);
    }

    void typedAndPastedNamesKeepTheNameBoxRules_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("start");  // cursor, -1 for the end
        QTest::addColumn<int>("length"); // of the selection the input replaces
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("name");
        QTest::newRow("a paste that fits") << "Jan" << -1 << 0 << " Novák" << true << "Jan Novák";
        QTest::newRow("a paste past the room is cut to it")
            << "Jan " << -1 << 0 << "Novák-Dlouhopříjmení" << true << "Jan Novák-Dlouhopř";
        QTest::newRow("a paste loses the refused characters")
            << "" << -1 << 0 << "Jan \"Honza\" Nov\u00e1k\t\U0001F600" << true << "Jan Honza Novák";
        QTest::newRow("a decomposed paste keeps its accents")
            << "" << -1 << 0 << "Dvořák Žofie" << true << "Dvořák Žofie";
        QTest::newRow("a paste in the middle keeps the text after it")
            << "Jan Novák" << 4 << 0 << "Petr Pavel Ondřej " << true << "Jan Petr PaveNovák";
        QTest::newRow("a paste over a selection gets its room")
            << "Jan Novák" << 0 << 3 << "Alexandr Veliký" << true << "Alexandr Vel Novák";
        QTest::newRow("a paste into a full box changes nothing")
            << "Abcdefghijklmnopqr" << 5 << 0 << "xyz" << true << "Abcdefghijklmnopqr";
        QTest::newRow("a paste of refused characters only changes nothing")
            << "Eva" << -1 << 0 << "\"\u6f22" << true << "Eva";
        QTest::newRow("a nineteenth typed character is refused")
            << "Abcdefghijklmnopqr" << -1 << 0 << "s" << false << "Abcdefghijklmnopqr";
        QTest::newRow("a typed refused character is dropped")
            << "Eva" << -1 << 0 << "\"x" << false << "Evax";
    }
    void typedAndPastedNamesKeepTheNameBoxRules() {
        QFETCH(QString, typed);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, input);
        QFETCH(bool, paste);
        QFETCH(QString, name);
        TestProgram t;
        QCOMPARE(nameBoxAfter(t, typed, start, length, input, paste), name);
        t.click(t.form<Form5>().Command1); // what is in the box is what gets stored
        QCOMPARE(t.form<Form4>().List1->Text(), name);
    }
};

static const RegisteredTest<InputTest> registered;
#include "InputTest.moc"

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/ScoreTableFixture.h"
#include "support/TestRegistry.h"

class ScoreTableScreenTest : public QObject {
    Q_OBJECT

private slots:
    void loadReportsAnEmptyOrBrokenTable_data() {
        QTest::addColumn<QByteArray>("file"); // "-" for no file
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("saveEnabled");
        QTest::addColumn<bool>("temporaryEnabled"); // "Dočasné skóre"
        const QString empty = QStringLiteral("V tabulce hráčů nejsou žádná uložená skóre.");
        const QString broken = QStringLiteral("Nastala chyba při načítání dat do tabulky skóre.");
        const int information = int(MessageIcon::Information);
        const int exclamation = int(MessageIcon::Exclamation);
        QTest::newRow("no file") << QByteArray("-") << empty << information << QStringList{} << true
                                 << true;
        QTest::newRow("empty file")
            << QByteArray("") << empty << information << QStringList{} << true << true;
        QTest::newRow("blanks and line ends only")
            << QByteArray("  \r\n\r\n") << empty << information << QStringList{} << true << true;
        QTest::newRow("a short line")
            << QByteArray("Anna,1,2,3,1.1.2026\r\nBob,1\r\n") << broken << exclamation
            << QStringList{"Anna", "Bob"} << false << false;
        // The message follows the records read, not the highlighted entry's text.
        QTest::newRow("blank first name and a short line")
            << QByteArray("   ,1,2,3,1.1.2026\r\nBob,1\r\n") << broken << exclamation
            << QStringList{"", "Bob"} << false << false;
        // What a save cut off leaves: the next save completes it, so saving stays possible.
        QTest::newRow("a save cut off in a field")
            << QByteArray("Anna,1,2,3,1.1.2024\r\nBert,4,5,6,2.2.2024\r\nCut,1,2") << broken
            << exclamation << QStringList{"Anna", "Bert", "Cut"} << true << false;
        QTest::newRow("a save cut off inside the quotes")
            << QByteArray("Anna,1,2,3,1.1.2024\r\n\"Nov\xe1k, J") << broken << exclamation
            << QStringList{"Anna", "Novák, J?"} << true << false;
        QTest::newRow("a cut after a fault on an earlier line")
            << QByteArray("Anna,1,2,3,1.1.2024,x\r\nCut,1") << broken << exclamation
            << QStringList{"Anna", "x"} << false << false;
    }
    void loadReportsAnEmptyOrBrokenTable() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QStringList, entries);
        QFETCH(bool, saveEnabled);
        QFETCH(bool, temporaryEnabled);
        TestProgram t;
        if (file != "-") {
            writeFile(t.path("Data5.dat"), file);
        }
        bool drawnBeforeMessage = true;
        t.messages->whileShown = [&] { drawnBeforeMessage = t.form<Form4>().Visible(); };
        Form4& table = openScoreTable(t);
        QCOMPARE(t.messages->shown.size(), size_t(1));
        QCOMPARE(t.messages->shown[0].text, message);
        QCOMPARE(t.messages->shown[0].caption, QStringLiteral("Omvar v2.0"));
        QCOMPARE(int(t.messages->shown[0].icon), icon);
        QVERIFY(!drawnBeforeMessage);
        QCOMPARE(t.sound->played().first(), QStringLiteral("Data4.dat"));
        QCOMPARE(t.sound->played().count(QStringLiteral("Data2.dat")), 1);
        QCOMPARE(listEntries(table), entries);
        QVERIFY(!table.List1->isEnabled());
        QCOMPARE(table.Command2->isEnabled(), saveEnabled);
        QCOMPARE(table.Command4->isEnabled(), temporaryEnabled);
        QCOMPARE(table.Frame1->Caption(), QStringLiteral("Dočasné skóre:"));
        QCOMPARE(statistics(table).mid(0, 4), (QStringList{"0", "0", "0", "0"}));
    }

    void selectingAPlayerShowsTheRecord_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("7 of 10") << QByteArray("Dido,3,7,10,8.12.2026")
                                 << QStringList{"3", "7", "10", "70", "8.12.2026"};
        QTest::newRow("no hits") << QByteArray("Eva,5,0,5,1.1.2025")
                                 << QStringList{"5", "0", "5", "0", "1.1.2025"};
        QTest::newRow("counts that are no numbers")
            << QByteArray("Fik,a,b,c,d") << QStringList{"a", "b", "c", "", "d"};
        QTest::newRow("hits of no shots")
            << QByteArray("Gus,0,4,0,1.1.2025") << QStringList{"0", "4", "0", "", "1.1.2025"};
    }
    void selectingAPlayerShowsTheRecord() {
        QFETCH(QByteArray, record);
        QFETCH(QStringList, shown);
        TestProgram t;
        writeFile(t.path("Data5.dat"), "Anna,1,1,2,1.1.2026\r\n" + record + "\r\n");
        Form4& table = openScoreTable(t);
        QVERIFY(t.messages->shown.empty());
        QCOMPARE(table.List1->ListIndex(), 0);
        t.sound->clear();
        clickEntry(t, table, 1);
        QVERIFY(!t.ended());
        QCOMPARE(table.Frame1->Caption(), QStringLiteral("Skóre hráče:"));
        QCOMPARE(statistics(table), shown);
        QCOMPARE(t.sound->played(), QStringList{"Data4.dat"});

        t.click(table.Command4); // back to the last game's counts, with today's date
        QCOMPARE(table.Frame1->Caption(), QStringLiteral("Dočasné skóre:"));
        QCOMPARE(statistics(table),
                 (QStringList{"0", "0", "0", "0", t.program->runtime().todayText()}));
        QCOMPARE(table.List1->ListIndex(), 1);
    }

    void theTemporaryScoreIsTheLastGame() {
        TestProgram t;
        playShortGame(t);
        Form4& table = openScoreTable(t);
        QCOMPARE(statistics(table).mid(0, 4),
                 (QStringList{"2", "1", "3", doubleToText(100.0 / 3)}));
    }

    void backToTheMenuKeepsTheTableLoadedWithoutReadingItAgain() {
        TestProgram t;
        Form4& table = openScoreTable(t); // no file: one message
        t.click(table.Command1);
        QVERIFY(!table.Visible() && t.form<Form3>().Visible());
        writeFile(t.path("Data5.dat"), "Anna,1,1,2,1.1.2026\r\n");
        playShortGame(t);
        openScoreTable(t);
        QCOMPARE(&t.form<Form4>(), &table);
        QCOMPARE(t.messages->shown.size(), size_t(1));
        QCOMPARE(listEntries(table), QStringList{});
        QCOMPARE(table.Text3->Text(), QStringLiteral("3"));
    }

    void closingTheWindowBringsBackTheMenuAndTheNextOpeningReadsAgain() {
        TestProgram t;
        Form4& table = openScoreTable(t);
        t.sound->clear();
        t.close(table.window());
        QVERIFY(!t.isLoaded<Form4>());
        QVERIFY(t.form<Form3>().Visible());
        QCOMPARE(t.sound->played(), QStringList{"Data4.dat"});
        writeFile(t.path("Data5.dat"), "Anna,1,1,2,1.1.2026\r\n");
        Form4& again = openScoreTable(t);
        QCOMPARE(listEntries(again), QStringList{"Anna"});
        QVERIFY(again.List1->isEnabled());
    }

    void zpetDoWindowsEndsTheProgram() {
        TestProgram t;
        Form4& table = openScoreTable(t);
        t.click(table.Command3);
        QVERIFY(t.ended());
    }

    void selectionWorksPastPosition32767() {
        TestProgram t;
        QByteArray file;
        for (int i = 0; i < 33000; ++i) {
            file += "P" + QByteArray::number(i) + ",0," + QByteArray::number(i % 10) +
                    ",10,1.1.2026\r\n";
        }
        writeFile(t.path("Data5.dat"), file);
        Form4& table = openScoreTable(t);
        t.program->runtime().run([&] { table.List1->setListIndex(32999); });
        QCOMPARE(table.List1->Text(), QStringLiteral("P32999"));
        QCOMPARE(statistics(table).mid(0, 4), (QStringList{"0", "9", "10", "90"}));
    }
};

static const RegisteredTest<ScoreTableScreenTest> registered;
#include "ScoreTableScreenTest.moc"

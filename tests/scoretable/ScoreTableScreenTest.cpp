#include "support/ScoreTableFixture.h"

class ScoreTableScreenTest : public QObject {
    Q_OBJECT

private slots:
    void loadReportsAnEmptyOrBrokenTable_data() {
        QTest::addColumn<QByteArray>("file"); // "-" for no file
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("saveEnabled");
        QTest::newRow("no file") << QByteArray("-") << "V tabulce hráčů nejsou žádná uložená skóre."
                                 << int(MessageIcon::Information) << QStringList{} << true;
        QTest::newRow("empty file")
            << QByteArray("") << "V tabulce hráčů nejsou žádná uložená skóre."
            << int(MessageIcon::Information) << QStringList{} << true;
        QTest::newRow("record cut short")
            << QByteArray("Anna,1,2,3,1.1.2026\r\nBob,1\r\n")
            << "Nastala chyba při načítání dat do tabulky skóre." << int(MessageIcon::Exclamation)
            << QStringList{"Anna", "Bob"} << false;
        // The message follows the records read, not the highlighted entry's text.
        QTest::newRow("blank first name and a record cut short")
            << QByteArray("   ,1,2,3,1.1.2026\r\nBob,1\r\n")
            << "Nastala chyba při načítání dat do tabulky skóre." << int(MessageIcon::Exclamation)
            << QStringList{"", "Bob"} << false;
        QTest::newRow("blanks only")
            << QByteArray("  ") << "Nastala chyba při načítání dat do tabulky skóre."
            << int(MessageIcon::Exclamation) << QStringList{""} << false;
    }
    void loadReportsAnEmptyOrBrokenTable() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QStringList, entries);
        QFETCH(bool, saveEnabled);
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
        QCOMPARE(table.Command4->isEnabled(), saveEnabled);
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

QTEST_MAIN(ScoreTableScreenTest)
#include "ScoreTableScreenTest.moc"

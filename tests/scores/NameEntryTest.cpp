// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/ScoreTableFixture.h"
#include "support/TestRegistry.h"

#include <QDir>

class NameEntryTest : public QObject {
    Q_OBJECT

    // Opens the name entry dialog from the score table and types `name` into its box.
    static Form5& typeName(TestProgram& t, const QString& name) {
        t.click(t.form<Form4>().Command2);
        Form5& dialog = t.form<Form5>();
        for (QChar c : name) { // as typed on a keyboard, one character at a time
            QTest::sendKeyEvent(QTest::Click, dialog.Text1, Qt::Key_A, QString(c), Qt::NoModifier);
        }
        return dialog;
    }

private slots:
    void okStoresTheLastGameAndSelectsIt() {
        TestProgram t;
        playShortGame(t);
        Form4& table = openScoreTable(t); // no file yet: the empty-table message
        Form5& dialog = typeName(t, QStringLiteral("Dido"));
        QVERIFY(!table.Enabled());
        t.sound->clear();
        t.click(dialog.Command1);
        const QString date = t.program->runtime().todayText();
        QCOMPARE(readFile(t.path("Data5.dat")),
                 toCp1250(QStringLiteral("Dido,2,1,3,%1\r\n").arg(date)));
        QVERIFY(!t.isLoaded<Form5>());
        QVERIFY(table.Enabled() && table.List1->isEnabled());
        QCOMPARE(listEntries(table), QStringList{"Dido"});
        QCOMPARE(table.List1->ListIndex(), 0);
        QCOMPARE(table.Frame1->Caption(), QStringLiteral("Skóre hráče:"));
        QCOMPARE(statistics(table), (QStringList{"2", "1", "3", doubleToText(100.0 / 3), date}));
        // Ok, the selection, and the dialog's unload each play the button sound.
        QCOMPARE(t.sound->played().count(QStringLiteral("Data4.dat")), t.sound->played().size());

        Form5& second = typeName(t, QString()); // reopened: the box is empty again
        QCOMPARE(second.Text1->Text(), QString());
        t.click(second.Command1);
        QCOMPARE(listEntries(table), (QStringList{"Dido", "Neznámý hráč"}));
        QCOMPARE(table.List1->ListIndex(), 1);
    }

    void namesReadBackAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("listed");
        QTest::newRow("diacritics") << "Žluťoučký kůň"
                                    << "Žluťoučký kůň";
        QTest::newRow("comma") << "Novák, Jan"
                               << "Novák, Jan";
        QTest::newRow("double quote refused") << "\"Bob\""
                                              << "Bob";
        QTest::newRow("leading blanks dropped by the reader") << "  Ann"
                                                              << "Ann";
        QTest::newRow("blanks only") << "   "
                                     << "";
        QTest::newRow("nineteenth character refused") << "abcdefghijklmnopqrstu"
                                                      << "abcdefghijklmnopqr";
        QTest::newRow("Central European letters and the euro") << "Łódź€ü"
                                                               << "Łódź€ü";
        QTest::newRow("other scripts refused") << "Ωmega"
                                               << "mega";
    }
    void namesReadBackAsTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, listed);
        TestProgram t;
        writeFile(t.path("Data5.dat"), "Anna,1,1,2,1.1.2026\r\n");
        Form4& table = openScoreTable(t);
        Form5& dialog = typeName(t, typed);
        t.click(dialog.Command1);
        QCOMPARE(listEntries(table), (QStringList{"Anna", listed}));
        // Every record keeps its five fields: the one before and the one saved.
        QCOMPARE(table.List1->ListIndex(), 1);
        QCOMPARE(table.Text3->Text(), QStringLiteral("0"));
        QVERIFY(!t.ended());
    }

    void stornoWritesNothing() {
        TestProgram t;
        Form4& table = openScoreTable(t);
        Form5& dialog = typeName(t, QStringLiteral("Dido"));
        t.click(dialog.Command2);
        QVERIFY(!QFile::exists(t.path("Data5.dat")));
        QVERIFY(!t.isLoaded<Form5>());
        QVERIFY(table.Enabled());
        QCOMPARE(typeName(t, QString()).Text1->Text(), QString());
    }

    void closingTheDialogWritesNothingAndTheTableCannotCloseMeanwhile() {
        TestProgram t;
        Form4& table = openScoreTable(t);
        Form5& dialog = typeName(t, QStringLiteral("Dido"));
        t.close(table.window()); // disabled while the dialog is open
        QVERIFY(t.isLoaded<Form4>() && table.Visible());
        t.close(dialog.window());
        QVERIFY(!QFile::exists(t.path("Data5.dat")));
        QVERIFY(table.Enabled());
    }

    void aSaveThatCannotBeWrittenKeepsTheDialogAndTheGame() {
        TestProgram t;
        playShortGame(t);
        QVERIFY(QDir(t.folder.path()).mkdir(QStringLiteral("Data5.dat"))); // not a file
        Form4& table = openScoreTable(t);
        t.messages->shown.clear();
        Form5& dialog = typeName(t, QStringLiteral("Dido"));
        t.click(dialog.Command1);
        QVERIFY(!t.ended());
        QCOMPARE(t.messages->shown.size(), size_t(1));
        QVERIFY(t.messages->shown[0].text.startsWith(QStringLiteral("Skóre se nepodařilo uložit")));
        QCOMPARE(t.messages->shown[0].caption, QStringLiteral("Omvar v2.0"));
        QVERIFY(t.isLoaded<Form5>() && dialog.Visible());
        QCOMPARE(dialog.Text1->Text(), QStringLiteral("Dido"));
        QVERIFY(!table.Enabled());
        QCOMPARE(counters(t.form<Form1>()).mid(0, 3), (QStringList{"3", "1", "2"}));
    }

    // The file changes between the table's load and "Ok". A save that cannot be written
    // says why and keeps the name and the game for another "Ok"; one that can shows every
    // record in the file, the new one last and selected, and no message.
    void theFileChangesUnderTheScreen_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("reason"); // empty when the save goes through
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("replaced by a folder")
            << "folder"
            << "Na místě souboru se skóre je složka." << QStringList{"Anna", "Dido"};
        QTest::newRow("made read-only")
            << "read-only"
            << "Program nemá právo do souboru se skóre zapisovat." << QStringList{"Anna", "Dido"};
        QTest::newRow("deleted") << "deleted" << QString() << QStringList{"Dido"};
        QTest::newRow("grown by another copy")
            << "grown" << QString() << QStringList{"Anna", "Eva", "Dido"};
        QTest::newRow("another copy killed mid-save")
            << "cut short" << QString() << QStringList{"Anna", "Eva", "Dido"};
        QTest::newRow("replaced by a shorter file")
            << "replaced" << QString() << QStringList{"Eva", "Dido"};
    }
    void theFileChangesUnderTheScreen() {
        QFETCH(QString, change);
        QFETCH(QString, reason);
        QFETCH(QStringList, entries);
        TestProgram t;
        const QString path = t.path("Data5.dat");
        const QByteArray anna("Anna,1,1,2,1.1.2026\r\n");
        writeFile(path, anna);
        playShortGame(t);
        Form4& table = openScoreTable(t);
        Form5& dialog = typeName(t, QStringLiteral("Dido"));

        QFile file(path);
        if (change == "folder") {
            QVERIFY(file.remove() && QDir(t.folder.path()).mkdir("Data5.dat"));
        } else if (change == "read-only") {
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            if (file.open(QIODevice::Append)) {
                reason.clear(); // the administrator may write anyway: then the save is right
                file.close();
            }
        } else if (change == "deleted") {
            QVERIFY(file.remove());
        } else if (change == "replaced") {
            writeFile(path + ".new", "Eva,0,5,5,2\r\n");
            QVERIFY(file.remove() && QFile::rename(path + ".new", path));
        } else {
            writeFile(path, anna + (change == "grown" ? "Eva,0,5,5,2.1.2026\r\n" : "Eva,0,5"));
        }
        t.click(dialog.Command1);
        QVERIFY(!t.ended());

        if (!reason.isEmpty()) {
            QCOMPARE(t.messages->shown.size(), size_t(1));
            QCOMPARE(t.messages->shown[0].text.section(u'\n', 1), reason);
            QVERIFY(t.isLoaded<Form5>() && !table.Enabled());
            QCOMPARE(dialog.Text1->Text(), QStringLiteral("Dido"));
            QCOMPARE(listEntries(table), QStringList{"Anna"});
            // Put right, the same "Ok" saves the same game.
            QDir(t.folder.path()).rmdir("Data5.dat");
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
            writeFile(path, anna);
            t.click(dialog.Command1);
        }
        QVERIFY(!t.isLoaded<Form5>());
        QCOMPARE(t.messages->shown.size(), reason.isEmpty() ? size_t(0) : size_t(1));
        QCOMPARE(listEntries(table), entries);
        QCOMPARE(table.List1->ListIndex(), entries.size() - 1);
        QCOMPARE(statistics(table).mid(0, 3), (QStringList{"2", "1", "3"}));
        QVERIFY(table.List1->isEnabled() && table.Command2->isEnabled());
    }

    // A table whose last record a save cut off (or a file of blanks only) can still be
    // saved to: the save completes the cut record, the new one reads back as its own, and
    // the table shows them all, the new one selected, without a second message.
    void aSaveAfterARecordCutShortReadsBack_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("completion");
        QTest::addColumn<QStringList>("entries");
        const QByteArray anna("Anna,1,2,3,1.1.2024\r\n");
        QTest::newRow("cut in a field")
            << anna + "Cut,1,2" << QByteArray("?,,\r\n") << QStringList{"Anna", "Cut", "Dido"};
        QTest::newRow("cut inside the quotes")
            << anna + "\"Nov\xe1k, J" << QByteArray("?\",,,,\r\n")
            << QStringList{"Anna", "Novák, J?", "Dido"};
        QTest::newRow("blanks and line ends only")
            << QByteArray(" \r\n\r\n") << QByteArray() << QStringList{"Dido"};
    }
    void aSaveAfterARecordCutShortReadsBack() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, completion);
        QFETCH(QStringList, entries);
        TestProgram t;
        writeFile(t.path("Data5.dat"), before);
        playShortGame(t);
        Form4& table = openScoreTable(t);
        QCOMPARE(t.messages->shown.size(), size_t(1));
        t.click(typeName(t, QStringLiteral("Dido")).Command1);

        const QByteArray dido =
            "Dido,2,1,3," + t.program->runtime().todayText().toLatin1() + "\r\n";
        QCOMPARE(readFile(t.path("Data5.dat")), before + completion + dido);
        QCOMPARE(t.messages->shown.size(), size_t(1));
        QCOMPARE(listEntries(table), entries);
        QCOMPARE(table.List1->ListIndex(), entries.size() - 1);
        QVERIFY(table.List1->isEnabled() && table.Command2->isEnabled());
        QCOMPARE(statistics(table).mid(0, 3), (QStringList{"2", "1", "3"}));
        QCOMPARE(readScoreFile(t.path("Data5.dat")).fault, ScoreFault::None);
    }

    // The date is stored in Latin digits where the system writes others; the screen keeps
    // showing the temporary score's date as the system writes it.
    void dateInOtherDigitsIsStoredInLatinDigits_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Persian") << "fa_IR"
                                 << "2026/12/8";
        QTest::newRow("Arabic") << "ar_EG"
                                << "8/12/2026";
        QTest::newRow("Marathi") << "mr_IN"
                                 << "8/12/26";
    }
    void dateInOtherDigitsIsStoredInLatinDigits() {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        const QLocale system;
        QLocale::setDefault(QLocale(locale));
        TestProgram t;
        Form4& table = openScoreTable(t);
        t.click(typeName(t, QStringLiteral("Dido")).Command1);
        QLocale::setDefault(system);
        QCOMPARE(readFile(t.path("Data5.dat")), "Dido,0,0,0," + stored.toLatin1() + "\r\n");
        QCOMPARE(table.Text5->Text(), stored);
    }
};

static const RegisteredTest<NameEntryTest> registered;
#include "NameEntryTest.moc"

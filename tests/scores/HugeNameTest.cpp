// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/ScoreTableFixture.h"
#include "support/TestRegistry.h"

// A hand-edited score file whose first name is 5 MB long.
class HugeNameTest : public QObject {
    Q_OBJECT

private slots:
    void theTableOpensWithTheNameWholeAndItsRowCutShort() {
        TestProgram t;
        const QByteArray name(5 * 1024 * 1024, '\xe8'); // "č" in Windows-1250
        writeFile(t.path("Data5.dat"), name + ",3,7,10,8.12.2026\r\nBob,1,1,2,9.12.2026\r\n");
        Form4& table = openScoreTable(t);
        QVERIFY(t.messages->shown.empty());
        QCOMPARE(t.program->scores().ScoreNames.at(0), fromCp1250(name));
        QCOMPARE(table.List1->List(0), fromCp1250(name));
        QCOMPARE(table.List1->Text(), fromCp1250(name));
        const QString row = table.List1->model()->index(0, 0).data().toString();
        QCOMPARE(row, QString(255, u'č') + u'…');
        clickEntry(t, table, 1);
        QCOMPARE(statistics(table), (QStringList{"1", "1", "2", "50", "9.12.2026"}));
        clickEntry(t, table, 0);
        QCOMPARE(statistics(table), (QStringList{"3", "7", "10", "70", "8.12.2026"}));
    }
};

static const RegisteredTest<HugeNameTest> registered;
#include "HugeNameTest.moc"

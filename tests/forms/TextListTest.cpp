// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/TextList.h"
#include "forms/Cp1250.h"
#include "forms/ListBox.h"
#include "support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

// The one-buffer text list and the list box over it.
class TextListTest : public QObject {
    Q_OBJECT

private slots:
    void entriesReadBackAsAppended_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("one empty entry") << QStringList{""};
        QTest::newRow("empty entries between others") << QStringList{"", "Anna", "", "", "Bob", ""};
        QTest::newRow("Czech text") << QStringList{"Jiří Novák", "Eliška Šťastná", "Neznámý hráč"};
        // Entries keep one byte a character until one has a character Windows-1250 lacks.
        QTest::newRow("outside Windows-1250 after others")
            << QStringList{"Jiří", "Łódź", "日本 😀", "Bob", ""};
        QTest::newRow("outside Windows-1250 first") << QStringList{"Ωμέγα", "Anna"};
        // Lengths from 255 on are kept apart; every 64th entry's start is kept whole.
        QStringList lengths;
        for (const int length : {253, 254, 255, 256, 1000, 0, 3}) {
            lengths << QString(length, u'ž') << "a";
        }
        QTest::newRow("around the long length") << lengths;
        QStringList many;
        for (int i = 0; i < 200; ++i) {
            many << QString(i == 63 || i == 64 || i == 128 ? 300 : i % 7, QChar(u'a' + i % 26));
        }
        QTest::newRow("across entries whose start is kept") << many;
    }
    void entriesReadBackAsAppended() {
        QFETCH(QStringList, texts);
        TextList list;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            // Half by append, half in two pieces of Windows-1250, as the score file reader
            // adds them.
            const QByteArray bytes = toCp1250(texts[i]);
            if (i % 2 == 0 || bytes.contains('?')) {
                list.append(texts[i]);
            } else {
                list.appendCp1250(bytes.first(bytes.size() / 2));
                list.extendLast(bytes.sliced(bytes.size() / 2));
            }
        }
        QCOMPARE(list.size(), texts.size());
        QCOMPARE(list.toStringList(), texts);
        QVERIFY(list == texts);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            QCOMPARE(list.length(i), texts[i].size());
            QCOMPARE(list.first(i, 3), texts[i].first(std::min<qsizetype>(3, texts[i].size())));
        }
        TextList twice{u"Ž"};
        twice.append(list);
        twice.append(list);
        QVERIFY(twice == QStringList{"Ž"} + texts + texts);
        QCOMPARE(list.value(-1), QString());
        QCOMPARE(list.value(texts.size()), QString());
    }

    void aCopyKeepsItsEntriesWhenTheOriginalChanges() {
        TextList original{u"Anna", u"Bob"};
        const TextList copy = original;
        original.append(u"Cyril");
        original.clear();
        original.append(u"Dana");
        QVERIFY(copy == (QStringList{"Anna", "Bob"}));
        QVERIFY(original == QStringList{"Dana"});
    }

    void addItemsIsOneInsertAfterTheEntriesThere_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<int>("newIndex");
        QTest::newRow("into an empty list") << QStringList{} << QStringList{"A", "B", "C"} << 2;
        QTest::newRow("after an entry") << QStringList{"A"} << QStringList{"B", "C"} << 2;
        QTest::newRow("nothing added keeps NewIndex") << QStringList{"A"} << QStringList{} << 0;
    }
    void addItemsIsOneInsertAfterTheEntriesThere() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, added);
        QFETCH(int, newIndex);
        ListBox list(nullptr, {.bounds = {0, 0, 2295, 2565}});
        for (const QString& text : before) {
            list.AddItem(text);
        }
        TextList items;
        for (const QString& text : added) {
            items.append(text);
        }
        QSignalSpy inserts(list.model(), &QAbstractItemModel::rowsInserted);
        list.AddItems(items);
        QCOMPARE(inserts.size(), added.isEmpty() ? 0 : 1);
        QCOMPARE(list.ListCount(), before.size() + added.size());
        QCOMPARE(list.NewIndex(), newIndex);
        for (int i = 0; i < list.ListCount(); ++i) {
            QCOMPARE(list.List(i), (before + added).at(i));
        }
    }

    // A hand-edited score file can hold a name of megabytes: laying it out on every paint
    // froze the screen. The row shows it cut short; the entry keeps the whole text.
    void aLongEntryIsShownCutShortAndKeptWhole_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("shownLength");
        QTest::newRow("256 characters, shown whole") << 256 << 256;
        QTest::newRow("257 characters") << 257 << 256;
        QTest::newRow("5 million characters") << 5'000'000 << 256;
    }
    void aLongEntryIsShownCutShortAndKeptWhole() {
        QFETCH(int, length);
        QFETCH(int, shownLength);
        QString name(length, u'x');
        name[0] = u'Ž';
        ListBox list(nullptr, {.bounds = {0, 0, 2295, 2565}});
        list.AddItem(name);
        list.AddItem(QStringLiteral("Bob"));
        list.setListIndex(0);
        QCOMPARE(list.Text(), name);
        QCOMPARE(list.List(0), name);
        const QString shown = list.model()->index(0, 0).data().toString();
        QCOMPARE(shown.size(), shownLength);
        QVERIFY(name.startsWith(shown.chopped(1)));
        QCOMPARE(shown.endsWith(u'…'), length > shownLength);
        QCOMPARE(list.model()->index(1, 0).data().toString(), QStringLiteral("Bob"));
        list.grab(); // paints the rows
    }
};

static const RegisteredTest<TextListTest> registered;
#include "TextListTest.moc"

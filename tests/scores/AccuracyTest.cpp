// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/Accuracy.h"
#include "support/TestRegistry.h"

#include <QLocale>
#include <QTest>

class AccuracyTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void accuracyText_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("hits");
        QTest::addColumn<QString>("shots");
        QTest::addColumn<QString>("accuracy");
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale czech(QLocale::Czech);

        QTest::newRow("7 of 10") << english << "7"
                                 << "10"
                                 << "70";
        QTest::newRow("10 of 10") << english << "10"
                                  << "10"
                                  << "100";
        QTest::newRow("3 of 8") << english << "3"
                                << "8"
                                << "37.5";
        QTest::newRow("2 of 3, 15 digits, not rounded") << english << "2"
                                                        << "3"
                                                        << "66.6666666666667";
        QTest::newRow("1 of 3") << english << "1"
                                << "3"
                                << "33.3333333333333";
        QTest::newRow("no hits") << english << "0"
                                 << "25"
                                 << "0";
        QTest::newRow("no hits, no shots") << english << "0"
                                           << "0"
                                           << "0";
        QTest::newRow("Czech decimal comma") << czech << "3"
                                             << "8"
                                             << "37,5";
        QTest::newRow("Czech, 2 of 3") << czech << "2"
                                       << "3"
                                       << "66,6666666666667";
        QTest::newRow("Czech, whole number") << czech << "7"
                                             << "10"
                                             << "70";

        // Broken saved records: empty text instead of an error or a misleading number.
        QTest::newRow("shots not a number") << english << "7"
                                            << "abc"
                                            << "";
        QTest::newRow("hits not a number") << english << "x"
                                           << "10"
                                           << "";
        QTest::newRow("empty counts") << english << ""
                                      << ""
                                      << "";
        QTest::newRow("no hits but shots not a number") << english << "0"
                                                        << "?"
                                                        << "";
        QTest::newRow("hits with a total of 0") << english << "5"
                                                << "0"
                                                << "";
        QTest::newRow("zero written otherwise, total 0") << english << "0.0"
                                                         << "0"
                                                         << "";
        QTest::newRow("infinite hits") << english << "1e400"
                                       << "10"
                                       << "";
    }

    void accuracyText() {
        QFETCH(QLocale, locale);
        QFETCH(QString, hits);
        QFETCH(QString, shots);
        QFETCH(QString, accuracy);
        QLocale::setDefault(locale);
        QCOMPARE(Accuracy(hits, shots), accuracy);
    }
};

static const RegisteredTest<AccuracyTest> registered;
#include "AccuracyTest.moc"

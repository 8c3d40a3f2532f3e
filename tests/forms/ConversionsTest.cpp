// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Conversions.h"
#include "forms/RuntimeError.h"
#include "support/TestRegistry.h"

#include <QLocale>
#include <QTest>

class ConversionsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void doubleToTextKeepsFifteenDigitsInTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("two thirds in per cent")
            << "en_US" << 2.0 / (3.0 / 100.0) << "66.6666666666667";
        QTest::newRow("two thirds, Czech comma")
            << "cs_CZ" << 2.0 / (3.0 / 100.0) << "66,6666666666667";
        QTest::newRow("one third") << "en_US" << 1.0 / (3.0 / 100.0) << "33.3333333333333";
        QTest::newRow("trailing zeros dropped") << "en_US" << 37.5 << "37.5";
        QTest::newRow("whole number") << "en_US" << 100.0 << "100";
        QTest::newRow("zero") << "en_US" << 0.0 << "0";
        QTest::newRow("negative zero") << "en_US" << -0.0 << "0";
        QTest::newRow("counter step") << "en_US" << 9.0 + 1.0 << "10";
        QTest::newRow("negative") << "cs_CZ" << -2.5 << "-2,5";
        QTest::newRow("fifteen digits whole") << "en_US" << 123456789012345.0 << "123456789012345";
        QTest::newRow("large uses exponent")
            << "en_US" << 1234567890123456.0 << "1.23456789012346E+15";
        QTest::newRow("small uses exponent") << "en_US" << 0.00001 << "1E-05";
        QTest::newRow("small without exponent") << "en_US" << 0.0001 << "0.0001";
    }
    void doubleToTextKeepsFifteenDigitsInTheLocale() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(doubleToText(value), text);
    }

    void textToDoubleReadsTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("counter") << "en_US"
                                 << "60" << 60.0;
        QTest::newRow("blanks around") << "en_US"
                                       << " 7 " << 7.0;
        QTest::newRow("point") << "en_US"
                               << "2.5" << 2.5;
        QTest::newRow("Czech comma") << "cs_CZ"
                                     << "2,5" << 2.5;
    }
    void textToDoubleReadsTheLocale() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(textToDouble(text), value);
    }

    void textThatIsNoNumberIsATypeMismatch_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("word") << "abc";
        QTest::newRow("number and text") << "12x";
    }
    void textThatIsNoNumberIsATypeMismatch() {
        QFETCH(QString, text);
        try {
            textToDouble(text);
            QFAIL("no error raised");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.number(), RuntimeError::TypeMismatch);
        }
    }
};

static const RegisteredTest<ConversionsTest> registered;
#include "ConversionsTest.moc"

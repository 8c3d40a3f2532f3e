// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

// Every byte that Windows-1250 defines, 0x00 to 0xFF, as UTF-8 and as the code page's own
// bytes. Made once with glibc's iconv:
//   for each byte b: printf "\xb" | iconv -f CP1250 -t UTF-8 >> ref.txt   (undefined: skipped)
//   xxd -p ref.txt                                  -> referenceUtf8
//   iconv -f UTF-8 -t CP1250 ref.txt | xxd -p       -> referenceCp1250
const char referenceUtf8[] =
    "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f2021222324252627"
    "28292a2b2c2d2e2f303132333435363738393a3b3c3d3e3f404142434445464748494a4b4c4d4e4f"
    "505152535455565758595a5b5c5d5e5f606162636465666768696a6b6c6d6e6f7071727374757677"
    "78797a7b7c7d7e7fe282ace2809ae2809ee280a6e280a0e280a1e280b0c5a0e280b9c59ac5a4c5bd"
    "c5b9e28098e28099e2809ce2809de280a2e28093e28094e284a2c5a1e280bac59bc5a5c5bec5bac2"
    "a0cb87cb98c581c2a4c484c2a6c2a7c2a8c2a9c59ec2abc2acc2adc2aec5bbc2b0c2b1cb9bc582c2"
    "b4c2b5c2b6c2b7c2b8c485c59fc2bbc4bdcb9dc4bec5bcc594c381c382c482c384c4b9c486c387c4"
    "8cc389c498c38bc49ac38dc38ec48ec490c583c587c393c394c590c396c397c598c5aec39ac5b0c3"
    "9cc39dc5a2c39fc595c3a1c3a2c483c3a4c4bac487c3a7c48dc3a9c499c3abc49bc3adc3aec48fc4"
    "91c584c588c3b3c3b4c591c3b6c3b7c599c5afc3bac5b1c3bcc3bdc5a3cb99";
const char referenceCp1250[] =
    "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f2021222324252627"
    "28292a2b2c2d2e2f303132333435363738393a3b3c3d3e3f404142434445464748494a4b4c4d4e4f"
    "505152535455565758595a5b5c5d5e5f606162636465666768696a6b6c6d6e6f7071727374757677"
    "78797a7b7c7d7e7f808284858687898a8b8c8d8e8f91929394959697999a9b9c9d9e9fa0a1a2a3a4"
    "a5a6a7a8a9aaabacadaeafb0b1b2b3b4b5b6b7b8b9babbbcbdbebfc0c1c2c3c4c5c6c7c8c9cacbcc"
    "cdcecfd0d1d2d3d4d5d6d7d8d9dadbdcdddedfe0e1e2e3e4e5e6e7e8e9eaebecedeeeff0f1f2f3f4"
    "f5f6f7f8f9fafbfcfdfeff";

const char undefinedBytes[] = {'\x81', '\x83', '\x88', '\x90', '\x98'};

} // namespace

class Cp1250Test : public QObject {
    Q_OBJECT

private slots:
    void tableAgreesWithIconvBothWays() {
        const QString text = QString::fromUtf8(QByteArray::fromHex(referenceUtf8));
        const QByteArray bytes = QByteArray::fromHex(referenceCp1250);
        QCOMPARE(text.size(), 251);
        QCOMPARE(fromCp1250(bytes), text);
        QCOMPARE(toCp1250(text), bytes);
        for (const QChar character : text) {
            QVERIFY2(isCp1250Encodable(character), qPrintable(QString(character)));
        }
    }

    // The code page leaves five bytes undefined; a score file edited elsewhere may hold
    // them anyway. They must decode to something harmless and survive a round trip.
    void undefinedBytesDecodeToTheirControlCharacters() {
        for (const char byte : undefinedBytes) {
            const QString decoded = fromCp1250(QByteArrayView(&byte, 1));
            QCOMPARE(decoded.size(), 1);
            QCOMPARE(int(decoded[0].unicode()), int(static_cast<unsigned char>(byte)));
            QCOMPARE(toCp1250(decoded), QByteArray(1, byte));
        }
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Czech diacritics are stored")
            << QStringLiteral("Žluťoučký kůň") << QByteArray("\x8elu\x9dou\xe8k\xfd k\xf9\xf2");
        QTest::newRow("Spanish n with tilde") << QStringLiteral("ñ") << QByteArray("?");
        QTest::newRow("Cyrillic") << QStringLiteral("Жa") << QByteArray("?a");
        QTest::newRow("emoji, a surrogate pair") << QStringLiteral("😀") << QByteArray("??");
        QTest::newRow("empty") << QString() << QByteArray();
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toCp1250(text), bytes);
    }
};

static const RegisteredTest<Cp1250Test> registered;
#include "Cp1250Test.moc"

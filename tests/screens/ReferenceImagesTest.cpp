// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Every screen in its main states, rendered offscreen and compared with the PNGs beside this
// file. After a deliberate change of the look, renew them with
//   OMVAR_RENEW_REFERENCE=1 ctest --test-dir build -R ReferenceImagesTest
// and review the new pictures before committing them. A mismatch leaves NAME-actual.png and
// NAME-diff.png (the differing pixels in red) in the test's working folder. The later game
// screen states are kept as the pixels that differ from game-start, which keeps them small.
#include "app/Form2.h"
#include "forms/QtMessageBoxes.h"
#include "support/ScoreTableFixture.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPainter>

namespace {

// Anti-aliasing may differ slightly between font renderer builds; a moved or changed
// control differs in far more pixels than this.
constexpr int ChannelTolerance = 24;
constexpr int PixelsAllowed = 8;

QImage render(QWidget* window) {
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The message box the program shows for the first message recorded.
QImage renderMessage(const TestProgram& t) {
    const RecordedMessageBoxes::Shown& shown = t.messages->shown.at(0);
    QMessageBox box;
    QtMessageBoxes::prepare(box, shown.text, shown.caption, shown.icon);
    box.show();
    return render(&box);
}

// Two stored players: 7 hits of 10 shots, and 32 of 67 (an accuracy of 47.76...).
void storeTwoPlayers(TestProgram& t) {
    writeFile(t.path("Data5.dat"), "Dido,3,7,10,8.12.2026\r\nJan Nov\xe1k,35,32,67,1.12.2026\r\n");
}

// A finished game of 2 hits in 3 shots (an accuracy of 66.66...).
void playTwoHitsInThreeShots(TestProgram& t) {
    Form1& game = newGame(t);
    t.clickInWindow(game.window(), GamePoint::Picture2);
    t.clickInWindow(game.window(), GamePoint::Picture2);
    t.clickInWindow(game.window(), GamePoint::HouseFront);
    t.clock->advance(60000);
}

Form1& pausedAfterAHitAndAMiss(TestProgram& t) {
    Form1& game = newGame(t);
    t.clock->advance(1600);
    t.clickInWindow(game.window(), GamePoint::Picture2);
    t.clickInWindow(game.window(), GamePoint::HouseFront);
    t.click(game.Command2);
    return game;
}

Form4& tableAfterAGame(TestProgram& t) {
    storeTwoPlayers(t);
    playTwoHitsInThreeShots(t);
    return openScoreTable(t);
}

struct Scene {
    QString name;
    std::function<QImage(TestProgram&)> play;
    QString base = {}; // the scene whose reference this one's is kept against
};

const std::vector<Scene>& scenes() {
    static const std::vector<Scene> all{
        {"menu", [](TestProgram& t) { return render(t.form<Form3>().window()); }},
        {"menu-task",
         [](TestProgram& t) {
             t.click(t.form<Form3>().Command3);
             return render(t.form<Form3>().window());
         }},
        {"menu-about",
         [](TestProgram& t) {
             t.click(t.form<Form3>().Command3);
             t.click(t.form<Form3>().Command4);
             return render(t.form<Form3>().window());
         }},
        {"game-start", [](TestProgram& t) { return render(newGame(t).window()); }},
        {"game-1.3s", // every figure down
         [](TestProgram& t) {
             Form1& game = newGame(t);
             t.clock->advance(1300);
             return render(game.window());
         },
         "game-start"},
        {"game-1.6s",
         [](TestProgram& t) {
             Form1& game = newGame(t);
             t.clock->advance(1600);
             return render(game.window());
         },
         "game-start"},
        {"game-paused", [](TestProgram& t) { return render(pausedAfterAHitAndAMiss(t).window()); },
         "game-start"},
        {"pause-dialog",
         [](TestProgram& t) {
             pausedAfterAHitAndAMiss(t);
             return render(t.form<Form2>().window());
         }},
        {"table-temporary-score",
         [](TestProgram& t) { return render(tableAfterAGame(t).window()); }},
        {"table-stored-player",
         [](TestProgram& t) {
             Form4& table = tableAfterAGame(t);
             clickEntry(t, table, 1);
             return render(table.window());
         }},
        {"table-empty", [](TestProgram& t) { return render(openScoreTable(t).window()); }},
        {"message-empty",
         [](TestProgram& t) {
             openScoreTable(t);
             return renderMessage(t);
         }},
        {"table-broken",
         [](TestProgram& t) {
             writeFile(t.path("Data5.dat"), "Anna,1,2,3,1.1.2026\r\nBob,1\r\n");
             return render(openScoreTable(t).window());
         }},
        {"message-broken",
         [](TestProgram& t) {
             writeFile(t.path("Data5.dat"), "Anna,1,2,3,1.1.2026\r\nBob,1\r\n");
             openScoreTable(t);
             return renderMessage(t);
         }},
        {"name-entry",
         [](TestProgram& t) {
             t.click(tableAfterAGame(t).Command2);
             Form5& dialog = t.form<Form5>();
             t.type(dialog.Text1, QStringLiteral("Jan Novák"));
             return render(dialog.window());
         }},
    };
    return all;
}

// Pixels whose colour differs beyond the tolerance, marked red on a faded copy of the
// reference.
struct Difference {
    qsizetype pixels = 0;
    QImage picture;
};

Difference compare(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) {
        return {actual.width() * actual.height(), actual};
    }
    Difference difference{0, expected.copy()};
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(difference.picture.scanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            const bool differs = std::abs(qRed(a[x]) - qRed(e[x])) > ChannelTolerance ||
                                 std::abs(qGreen(a[x]) - qGreen(e[x])) > ChannelTolerance ||
                                 std::abs(qBlue(a[x]) - qBlue(e[x])) > ChannelTolerance;
            if (differs) {
                ++difference.pixels;
                d[x] = qRgb(255, 0, 0);
            } else {
                const int grey = 160 + qGray(e[x]) * 95 / 255;
                d[x] = qRgb(grey, grey, grey);
            }
        }
    }
    return difference;
}

const Scene& scene(const QString& name) {
    return *std::find_if(scenes().begin(), scenes().end(),
                         [&](const Scene& s) { return s.name == name; });
}

QImage play(const Scene& scene) {
    TestProgram t;
    return scene.play(t);
}

QString referencePath(const QString& name) {
    return QDir(QStringLiteral(OMVAR_REFERENCE_DIR)).filePath(name + QStringLiteral(".png"));
}

// What a scene must look like: its reference, laid over its base scene's when it has one.
QImage expected(const Scene& scene) {
    const QImage own(referencePath(scene.name));
    if (scene.base.isEmpty() || own.isNull()) {
        return own.convertToFormat(QImage::Format_RGB32);
    }
    QImage whole = expected(::scene(scene.base));
    QPainter(&whole).drawImage(0, 0, own);
    return whole;
}

// The reference to keep for a scene: all of it, or only where it differs from its base.
QImage reference(const Scene& scene, const QImage& actual) {
    if (scene.base.isEmpty()) {
        return actual;
    }
    const QImage base = play(::scene(scene.base));
    QImage delta = actual.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < delta.height(); ++y) {
        auto* d = reinterpret_cast<QRgb*>(delta.scanLine(y));
        for (int x = 0; x < delta.width(); ++x) {
            if (base.valid(x, y) && base.pixel(x, y) == actual.pixel(x, y)) {
                d[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return delta;
}

} // namespace

class ReferenceImagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
#ifdef Q_OS_WIN
        // The references show the faces that stand in for the Windows fonts on Linux and
        // Qt's Fusion style; Windows draws with its own fonts, so no picture could match.
        QSKIP("the reference images are Linux renders; Windows draws its own fonts");
#else
        // The same texts on every machine: Czech dates and decimal commas, a steady cursor.
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        QApplication::setCursorFlashTime(0);
#endif
    }

    void everyScreenLooksAsItsReference_data() {
        QTest::addColumn<QString>("name");
        for (const Scene& scene : scenes()) {
            QTest::newRow(qPrintable(scene.name)) << scene.name;
        }
    }
    void everyScreenLooksAsItsReference() {
        QFETCH(QString, name);
        const QImage actual = play(scene(name));
        if (qEnvironmentVariableIsSet("OMVAR_RENEW_REFERENCE")) {
            QVERIFY2(reference(scene(name), actual).save(referencePath(name), "PNG", 0),
                     qPrintable(referencePath(name)));
            qInfo("renewed %s", qPrintable(referencePath(name)));
            return;
        }
        const QImage wanted = expected(scene(name));
        QVERIFY2(!wanted.isNull(), qPrintable(referencePath(name) + QStringLiteral(" is missing")));
        const Difference difference = compare(actual, wanted);
        if (difference.pixels > PixelsAllowed) {
            const QDir out(QDir::currentPath());
            actual.save(out.filePath(name + QStringLiteral("-actual.png")));
            difference.picture.save(out.filePath(name + QStringLiteral("-diff.png")));
            QFAIL(qPrintable(QStringLiteral("%1 pixels differ from %2; see %3-diff.png in %4")
                                 .arg(difference.pixels)
                                 .arg(referencePath(name), name, out.path())));
        }
    }
};

static const RegisteredTest<ReferenceImagesTest> registered;
#include "ReferenceImagesTest.moc"

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// `cmake --install` into a fresh prefix gives a working game and valid desktop files:
// the program on the PATH, its sounds in its data folder, its manual, the desktop entry,
// the AppStream metainfo and the icons. The validators run where they are installed.
//   OMVAR_CMAKE_COMMAND, OMVAR_BUILD_DIR, OMVAR_SOURCE_DIR, OMVAR_APP_ID
#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString AppId = QStringLiteral(OMVAR_APP_ID);

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run result;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

// The value of a key of a desktop entry's [Desktop Entry] group.
QString desktopValue(const QString& entry, const QString& key) {
    for (const QString& line : entry.split(u'\n')) {
        if (line.startsWith(key + u'=')) {
            return line.mid(key.size() + 1);
        }
    }
    return {};
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_prefix.isValid());
        const Run install = run(QStringLiteral(OMVAR_CMAKE_COMMAND),
                                {QStringLiteral("--install"), QStringLiteral(OMVAR_BUILD_DIR),
                                 QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    }

    // The program finds its sounds by the path from its folder to the data folder.
    void theProgramAndItsSoundsLieWhereTheSystemKeepsThem() {
        const QFileInfo program(path("bin/omvar"));
        QVERIFY(program.isFile() && program.isExecutable());
        for (const char* sound : {"Data1.dat", "Data2.dat", "Data3.dat", "Data4.dat"}) {
            const QString installed = path(QStringLiteral("share/omvar/") + QLatin1String(sound));
            QVERIFY2(QFileInfo(installed).isFile(), sound);
            QCOMPARE(readFile(installed),
                     readFile(QStringLiteral(OMVAR_SOURCE_DIR "/assets/") + QLatin1String(sound)));
        }
        QVERIFY(QFileInfo(path("share/man/man6/omvar.6")).isFile());
    }

    void theDesktopEntryNamesTheGame_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // empty: any value but none
        QTest::newRow("name") << QStringLiteral("Name") << QStringLiteral("Omvar  v2.0");
        QTest::newRow("Czech comment") << QStringLiteral("Comment[cs]") << QString();
        QTest::newRow("keywords") << QStringLiteral("Keywords") << QString();
        QTest::newRow("Czech keywords") << QStringLiteral("Keywords[cs]") << QString();
        QTest::newRow("launcher") << QStringLiteral("Exec") << QStringLiteral("omvar");
        QTest::newRow("icon") << QStringLiteral("Icon") << AppId;
        QTest::newRow("categories")
            << QStringLiteral("Categories") << QStringLiteral("Game;Shooter;");
        QTest::newRow("window class")
            << QStringLiteral("StartupWMClass") << QStringLiteral("Omvar");
    }

    void theDesktopEntryNamesTheGame() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QString entry = QString::fromUtf8(readFile(desktopEntry()));
        QVERIFY2(!entry.isEmpty(), qPrintable(desktopEntry()));
        const QString found = desktopValue(entry, key);
        QVERIFY2(!found.isEmpty(), qPrintable(key));
        if (!value.isEmpty()) {
            QCOMPARE(found, value);
        }
    }

    void theDesktopEntryValidates() {
        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty()) {
            QSKIP("desktop-file-validate not found: install desktop-file-utils");
        }
        const Run check = run(validator, {desktopEntry()});
        QVERIFY2(check.exitCode == 0 && check.output.trimmed().isEmpty(), qPrintable(check.output));
    }

    void theMetainfoValidatesAndLaunchesTheDesktopEntry() {
        const QString metainfo = path(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId));
        const QString text = QString::fromUtf8(readFile(metainfo));
        QVERIFY(text.contains(QStringLiteral("<id>%1</id>").arg(AppId)));
        QVERIFY(text.contains(
            QStringLiteral("<launchable type=\"desktop-id\">%1.desktop</launchable>").arg(AppId)));
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
        if (validator.isEmpty()) {
            QSKIP("appstreamcli not found: install appstream");
        }
        const Run check = run(validator, {QStringLiteral("validate"), QStringLiteral("--pedantic"),
                                          QStringLiteral("--no-net"), metainfo});
        QVERIFY2(check.exitCode == 0, qPrintable(check.output));
        // Every remark counts but one: the id has capitals, as the desktop entry's name and
        // the Wayland app id have them.
        for (const QString& line : check.output.split(u'\n')) {
            QVERIFY2(!QRegularExpression(QStringLiteral("^[EWIP]: ")).match(line).hasMatch() ||
                         line.contains(QStringLiteral(" cid-contains-uppercase-letter ")),
                     qPrintable(check.output));
        }
    }

    void theIconThemeHasTheProgramIconInEverySize_data() {
        QTest::addColumn<int>("size");
        for (int size : {32, 64, 128, 256}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(size))) << size;
        }
    }

    void theIconThemeHasTheProgramIconInEverySize() {
        QFETCH(int, size);
        const QImage icon(
            path(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId)));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
    }

    // The theme's 32 px icon is a PNG copy of the program icon; it must not drift from it.
    void theSmallestThemeIconIsTheProgramIcon() {
        const QImage themed(
            path(QStringLiteral("share/icons/hicolor/32x32/apps/%1.png").arg(AppId)));
        const QImage icon(QStringLiteral(OMVAR_SOURCE_DIR "/assets/omvar.ico"));
        QVERIFY(!icon.isNull());
        QCOMPARE(themed.convertToFormat(QImage::Format_ARGB32),
                 icon.convertToFormat(QImage::Format_ARGB32));
    }

private:
    QString path(const QString& relative) const { return m_prefix.filePath(relative); }
    QString desktopEntry() const {
        return path(QStringLiteral("share/applications/%1.desktop").arg(AppId));
    }

    QTemporaryDir m_prefix;
};

static const RegisteredTest<InstallTest> registered;
#include "InstallTest.moc"

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the program's files live: its sounds beside the executable or in an installed
// copy's data folder; the score file beside a program the player may write to, else in the
// player's own data folder.
#include "scores/Form4.h"
#include "scores/ScoreFile.h"
#include "support/Files.h"
#include "support/TestProgram.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#endif

namespace {

// Makes something other than a file at folder/Data5.dat: a folder, a pipe, a socket, or a
// link to a pipe or to a path given.
void makeAt(const QTemporaryDir& folder, const QString& kind) {
    const QByteArray path = QFile::encodeName(folder.filePath("Data5.dat"));
    if (kind == "folder") {
        QVERIFY(QDir(folder.path()).mkdir("Data5.dat"));
        return;
    }
#ifndef Q_OS_WIN
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(path.constData(), 0666), 0);
    } else if (kind == "link to fifo") {
        const QByteArray pipe = QFile::encodeName(folder.filePath("pipe"));
        QCOMPARE(::mkfifo(pipe.constData(), 0666), 0);
        QCOMPARE(::symlink(pipe.constData(), path.constData()), 0);
    } else if (kind == "socket") {
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(path.size()) < sizeof address.sun_path);
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(socket);
    } else {
        QCOMPARE(::symlink(QFile::encodeName(kind).constData(), path.constData()), 0);
    }
#endif
}

// A program over a folder of the test's choosing, not started: only its files matter.
std::unique_ptr<Program> programIn(const QString& folder, bool installed = false) {
    Services services;
    services.clock = std::make_unique<ManualClock>();
    services.sound = std::make_unique<RecordingSound>();
    services.messageBoxes = std::make_unique<RecordedMessageBoxes>();
    services.today = [] { return QDate(2026, 12, 8); };
    services.appPath = folder;
    services.installed = installed;
    return std::make_unique<Program>(std::move(services));
}

} // namespace

class ScoreFileLocationTest : public QObject {
    Q_OBJECT

private slots:
    // The player's data folder lies in a folder of the test's own. Windows takes it from
    // the shell, not from the environment, so there it is Qt's test folder under the
    // player's own, emptied before and after each test.
    void init() {
#ifdef Q_OS_WIN
        QStandardPaths::setTestModeEnabled(true);
        m_playerFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(m_playerFolder.contains(QStringLiteral("/qttest/")));
        QVERIFY(QDir(m_playerFolder).removeRecursively());
#else
        // Permission bits do not bind root, so there each test runs with the rights of
        // nobody, and the read-only rows run instead of skipping; cleanup() gives them back.
        if (const passwd* nobody = ::getpwnam("nobody"); ::getuid() == 0 && nobody) {
            QCOMPARE(::setegid(nobody->pw_gid), 0);
            QCOMPARE(::seteuid(nobody->pw_uid), 0);
        }
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
        m_playerFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(m_playerFolder.startsWith(m_home->path()));
#endif
    }
    void cleanup() {
#ifdef Q_OS_WIN
        QDir(m_playerFolder).removeRecursively();
#else
        QCOMPARE(::seteuid(::getuid()), 0);
        QCOMPARE(::setegid(::getgid()), 0);
#endif
    }

    // The sounds beside the executable (one is enough) or else in the data folder.
    void theProgramFolderIsTheOneWithTheSounds_data() {
        QTest::addColumn<QStringList>("beside");
        QTest::addColumn<bool>("inData"); // one sound there
        QTest::addColumn<bool>("installed");
        QTest::newRow("a portable copy") << Program::soundFiles() << false << false;
        QTest::newRow("one sound beside") << QStringList{"Data4.dat"} << true << false;
        QTest::newRow("an installed copy") << QStringList() << true << true;
        QTest::newRow("no sounds anywhere") << QStringList() << false << false;
    }

    void theProgramFolderIsTheOneWithTheSounds() {
        QFETCH(QStringList, beside);
        QFETCH(bool, inData);
        QFETCH(bool, installed);
        QTemporaryDir prefix;
        const QString executable = prefix.filePath("games");
        const QString data = prefix.filePath("share/omvar");
        QVERIFY(QDir().mkpath(executable) && QDir().mkpath(data));
        for (const QString& name : beside) {
            writeFile(executable + u'/' + name, "RIFF");
        }
        if (inData) {
            writeFile(data + "/Data2.dat", "RIFF");
        }
        const ProgramFolder found = findProgramFolder(executable, "../share/omvar");
        QCOMPARE(found.path, installed ? data : executable);
        QCOMPARE(found.installed, installed);
    }

    void aWritableProgramFolderKeepsTheFileBesideTheProgram_data() {
        QTest::addColumn<QByteArray>("scores"); // empty: no score file yet
        QTest::addColumn<bool>("installed");
        QTest::newRow("no score file yet") << QByteArray() << false;
        QTest::newRow("a score file") << QByteArray("Anna,1,1,2,1.1.2026\r\n") << false;
        // An installed copy's, put there by an administrator for every player.
        QTest::newRow("an installed copy's") << QByteArray("Anna,1,1,2,1.1.2026\r\n") << true;
    }

    void aWritableProgramFolderKeepsTheFileBesideTheProgram() {
        QFETCH(QByteArray, scores);
        QFETCH(bool, installed);
        QTemporaryDir folder;
        const QString beside = QDir::toNativeSeparators(folder.filePath("Data5.dat"));
        if (!scores.isEmpty()) {
            writeFile(beside, scores);
        }
        const QStringList before = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);

        QCOMPARE(programIn(folder.path(), installed)->scoreFile(), beside);
        // Finding out leaves the folder, and the file in it, as they were.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), before);
        if (!scores.isEmpty()) {
            QFile file(beside);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), scores);
        }
        QVERIFY(!QDir(m_playerFolder).exists());
    }

    // Something at Data5.dat that is no file is the player's to see, not a reason to move.
    // It is never opened: finding the file, reading and saving return at once (a pipe
    // would wait for a writer, /dev/zero never ends), say what lies there, print nothing
    // and leave it as it was.
    void somethingElseNamedLikeTheScoreFileIsNeverOpened_data() {
        QTest::addColumn<QString>("kind"); // what is made at Data5.dat
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "folder"
                                  << "Na místě souboru se skóre je složka.";
#ifndef Q_OS_WIN
        const QString pipe =
            QStringLiteral("Na místě souboru se skóre je roura (FIFO), ne soubor.");
        const QString device = QStringLiteral("Na místě souboru se skóre je zařízení, ne soubor.");
        QTest::newRow("a pipe") << "fifo" << pipe;
        QTest::newRow("a link to a pipe") << "link to fifo" << pipe;
        QTest::newRow("a socket") << "socket"
                                  << "Na místě souboru se skóre je soket, ne soubor.";
        QTest::newRow("a link to /dev/null") << "/dev/null" << device;
        QTest::newRow("a link to /dev/zero") << "/dev/zero" << device;
        QTest::newRow("a link to itself")
            << "Data5.dat" << "Na místě souboru se skóre je zacyklený odkaz, ne soubor.";
#endif
    }

    void somethingElseNamedLikeTheScoreFileIsNeverOpened() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTest::failOnWarning(QRegularExpression(".*"));
        QTemporaryDir folder;
        const QString beside = QDir::toNativeSeparators(folder.filePath("Data5.dat"));
        makeAt(folder, kind);

        std::unique_ptr<Program> program = programIn(folder.path());
        QCOMPARE(program->scoreFile(), beside);
        const ScoreReadResult read = readScoreFile(beside);
        QCOMPARE(read.fault, ScoreFault::NotAFile);
        QVERIFY(read.table.ScoreNames.isEmpty());
        const ScoreWriteResult saved = AppendScoreRecord(beside, "Dido", "3", "7", "10", "d");
        QVERIFY(!saved.written);
        QCOMPARE(saved.errorText.section(u'\n', 1), reason);

        // Through the score table: its own message, the list off, the save still offered.
        program->start();
        Form4& table = program->form<Form4>();
        const auto& shown =
            static_cast<RecordedMessageBoxes&>(*program->runtime().services().messageBoxes).shown;
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(
            shown[0].text,
            QStringLiteral("Tabulku skóre nelze načíst ze souboru %1.\n%2").arg(beside, reason));
        QVERIFY(!table.List1->isEnabled() && table.Command2->isEnabled());
    }

    // An installed copy's folder takes no score file even where this user may write to it
    // (an administrator): one made there would be every other player's read-only table.
    void aProgramFolderThatTakesNoFilesSendsTheFileToThePlayersFolder_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder that is gone") << "gone";
        QTest::newRow("a read-only folder") << "read-only";
        QTest::newRow("an installed copy's writable folder") << "installed";
    }

    void aProgramFolderThatTakesNoFilesSendsTheFileToThePlayersFolder() {
        QFETCH(QString, kind);
        const bool readOnly = kind == "read-only";
        QTemporaryDir parent;
        const QString folder = parent.filePath("omvar");
        if (kind != "gone") {
            QVERIFY(QDir(parent.path()).mkdir("omvar"));
        }
        if (readOnly) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            QFile probe(folder + "/probe");
            if (probe.open(QIODevice::WriteOnly)) { // an administrator writes through the bits
                probe.remove();
                QFile::setPermissions(folder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("this user writes into read-only folders; the folder that is gone covers it");
            }
        }
        const QString path = programIn(folder, kind == "installed")->scoreFile();
        if (readOnly) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }

        QCOMPARE(path, QDir::toNativeSeparators(m_playerFolder + "/Data5.dat"));
        // The folder is there for the first save to append to.
        QVERIFY(QDir(m_playerFolder).exists());
        QVERIFY(!QFile::exists(path));
    }

    // A table shared read-only (a school's network share): shown, not hidden behind the
    // player's own file; the save says it cannot write there.
    void aReadOnlyScoreFileInAReadOnlyFolderStaysBesideTheProgram() {
        QTemporaryDir folder;
        const QString beside = QDir::toNativeSeparators(folder.filePath("Data5.dat"));
        const QByteArray anna("Anna,1,1,2,1.1.2026\r\n");
        writeFile(beside, anna);
        QFile::setPermissions(beside, QFile::ReadOwner);
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(beside);
        const bool administrator = probe.open(QIODevice::Append);
        probe.close();
        const QString path = programIn(folder.path())->scoreFile();
        const ScoreWriteResult saved = AppendScoreRecord(path, "Dido", "3", "7", "10", "d");
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(path, beside);
        if (administrator) {
            QSKIP("this user writes into read-only files");
        }
        QCOMPARE(readScoreFile(path).table.ScoreNames, QStringList{"Anna"});
        QVERIFY(!saved.written);
        QCOMPARE(saved.errorText.section(u'\n', 1),
                 QStringLiteral("Program nemá právo do souboru se skóre zapisovat."));
        QCOMPARE(readFile(beside), anna);
        QVERIFY(!QDir(m_playerFolder).exists());
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString m_playerFolder;
};

static const RegisteredTest<ScoreFileLocationTest> registered;
#include "ScoreFileLocationTest.moc"

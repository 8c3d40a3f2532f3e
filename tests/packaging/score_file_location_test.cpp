// Where the score file lives: beside a program the player may write to, else in the
// player's own data folder.
#include "support/Files.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A program over a folder of the test's choosing, not started: only its files matter.
std::unique_ptr<Program> programIn(const QString& folder) {
    Services services;
    services.clock = std::make_unique<ManualClock>();
    services.sound = std::make_unique<RecordingSound>();
    services.messageBoxes = std::make_unique<RecordedMessageBoxes>();
    services.today = [] { return QDate(2026, 12, 8); };
    services.appPath = folder;
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
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
        m_playerFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(m_playerFolder.startsWith(m_home->path()));
#endif
    }
#ifdef Q_OS_WIN
    void cleanup() { QDir(m_playerFolder).removeRecursively(); }
#endif

    void aWritableProgramFolderKeepsTheFileBesideTheProgram_data() {
        QTest::addColumn<QByteArray>("scores"); // empty: no score file yet
        QTest::newRow("no score file yet") << QByteArray();
        QTest::newRow("a score file") << QByteArray("Anna,1,1,2,1.1.2026\r\n");
    }

    void aWritableProgramFolderKeepsTheFileBesideTheProgram() {
        QFETCH(QByteArray, scores);
        QTemporaryDir folder;
        const QString beside = QDir::toNativeSeparators(folder.filePath("Data5.dat"));
        if (!scores.isEmpty()) {
            writeFile(beside, scores);
        }
        const QStringList before = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);

        QCOMPARE(programIn(folder.path())->scoreFile(), beside);
        // Finding out leaves the folder, and the file in it, as they were.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), before);
        if (!scores.isEmpty()) {
            QFile file(beside);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), scores);
        }
        QVERIFY(!QDir(m_playerFolder).exists());
    }

    // A Data5.dat that is no file is the player's own fault to see, not a reason to move.
    void somethingElseNamedLikeTheScoreFileStaysBesideTheProgram() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("Data5.dat"));
        QCOMPARE(programIn(folder.path())->scoreFile(),
                 QDir::toNativeSeparators(folder.filePath("Data5.dat")));
    }

    void aProgramFolderThatTakesNoFilesSendsTheFileToThePlayersFolder_data() {
        QTest::addColumn<bool>("readOnly"); // else the folder does not exist at all
        QTest::newRow("a folder that is gone") << false;
        QTest::newRow("a read-only folder") << true;
    }

    void aProgramFolderThatTakesNoFilesSendsTheFileToThePlayersFolder() {
        QFETCH(bool, readOnly);
        QTemporaryDir parent;
        const QString folder = parent.filePath("omvar");
        if (readOnly) {
            QVERIFY(QDir(parent.path()).mkdir("omvar"));
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            QFile probe(folder + "/probe");
            if (probe.open(QIODevice::WriteOnly)) { // an administrator writes through the bits
                probe.remove();
                QFile::setPermissions(folder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("this user writes into read-only folders; the folder that is gone covers it");
            }
        }
        const QString path = programIn(folder)->scoreFile();
        if (readOnly) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }

        QCOMPARE(path, QDir::toNativeSeparators(m_playerFolder + "/Data5.dat"));
        // The folder is there for the first save to append to.
        QVERIFY(QDir(m_playerFolder).exists());
        QVERIFY(!QFile::exists(path));
    }

    // An installed copy whose folder holds a read-only score file, as a package may ship.
    void aReadOnlyScoreFileInAReadOnlyFolderSendsTheFileToThePlayersFolder() {
        QTemporaryDir folder;
        const QString beside = folder.filePath("Data5.dat");
        writeFile(beside, "Anna,1,1,2,1.1.2026\r\n");
        QFile::setPermissions(beside, QFile::ReadOwner);
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(beside);
        const bool administrator = probe.open(QIODevice::Append);
        probe.close();
        const QString path = programIn(folder.path())->scoreFile();
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (administrator) {
            QSKIP("this user writes into read-only files");
        }
        QCOMPARE(path, QDir::toNativeSeparators(m_playerFolder + "/Data5.dat"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString m_playerFolder;
};

QTEST_MAIN(ScoreFileLocationTest)
#include "score_file_location_test.moc"

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SinkFixture.h"
#include "StderrCapture.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QProcess>
#include <csignal>
#include <future>

// The OpenAL Soft backend when the sound device is not there: not yet open, no sound server
// at all, a server that goes away and comes back. The game goes on, silently, with nothing
// on the console. CTest runs this once without a server and once with the null sink.
class OpenAlFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_sink.init(); }
    void cleanup() { m_sink.cleanup(); }
    void noSoundServerGivesFalseSilently();
    void playBeforeTheDeviceIsReadyIsSilent();
    void soundReturnsWithTheServer_data();
    void soundReturnsWithTheServer();

private:
    SinkFixture m_sink;
};

// Without a server OpenAL Soft tries ALSA, and both would report on stderr what they cannot
// open: once at start-up and again on each later attempt.
void OpenAlFaultsTest::noSoundServerGivesFalseSilently() {
    if (!qEnvironmentVariableIsEmpty("OMVAR_NULL_SINK_MONITOR")) {
        QSKIP("a sound server is running; the run without one covers this");
    }
    const QString path =
        m_sink.writeFile(QStringLiteral("Data4.dat"), SinkFixture::tone(100, 0.5).bytes());
    StderrCapture console;
    bool anyPlayed = false;
    {
        OpenAlSoundOutput output({path});
        for (const bool async : {true, false, true}) {
            anyPlayed = Module1::PlaySoundFile(output, path, async) || anyPlayed;
        }
        // Long enough for a second attempt at opening a device.
        QTest::qWait(OpenAlSoundOutput::RetryIntervalMs);
        anyPlayed = Module1::PlaySoundFile(output, path, true) || anyPlayed;
    }
    const QByteArray printed = console.text();
    if (anyPlayed) {
        QSKIP("this machine has an output device without a sound server");
    }
    QVERIFY2(printed.isEmpty(), printed.constData());
    QVERIFY2(SinkFixture::messages().isEmpty(), qPrintable(SinkFixture::messages().join('\n')));
}

// Opening the device runs beside start-up; a click that comes before it is ready is
// silent, after a short wait, and the first one after it is ready is heard.
void OpenAlFaultsTest::playBeforeTheDeviceIsReadyIsSilent() {
    if (const QString missing = SinkFixture::nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
    const QString path =
        m_sink.writeFile(QStringLiteral("Data4.dat"), SinkFixture::tone(100, 0.5).bytes());
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    OpenAlSoundOutput output({path}, [released](const QStringList& files) {
        released.wait();
        return OpenAlDevice::open(files);
    });
    QVERIFY(!Module1::PlaySoundFile(output, path, true));
    QVERIFY(!Module1::PlaySoundFile(output, path, false));

    release.set_value();
    QVERIFY2(m_sink.startRecorder(), "parecord delivers nothing from the null sink's monitor");
    const qint64 begin = m_sink.recorder->sampleCount();
    QTRY_VERIFY_WITH_TIMEOUT(Module1::PlaySoundFile(output, path, true),
                             SinkFixture::RecordTimeoutMs);
    QVERIFY(m_sink.heardAfter(begin));
}

void OpenAlFaultsTest::soundReturnsWithTheServer_data() {
    QTest::addColumn<bool>("frozen");
    QTest::newRow("server ended, then started again") << false;
    // A frozen server answers no call: closing the device would wait out libpulse's 30 s.
    QTest::newRow("server frozen, game left, server resumed") << true;
}

// The sound server goes away in the middle of a game and comes back on the same socket.
// Runs last: the recording goes with the server.
void OpenAlFaultsTest::soundReturnsWithTheServer() {
    QFETCH(bool, frozen);
    if (const QString missing = SinkFixture::nullSinkMissing(); !missing.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
    const QString server = qEnvironmentVariable("OMVAR_NULL_SINK_SERVER");
    const QStringList stop{QStringLiteral("stop"), qEnvironmentVariable("OMVAR_NULL_SINK_DIR")};
    const QStringList start{QStringLiteral("start"), stop.at(1)};
    const QString path =
        m_sink.writeFile(QStringLiteral("Data3.dat"), SinkFixture::tone(100, 0.5).bytes());
    StderrCapture console;
    auto output = std::make_unique<OpenAlSoundOutput>(QStringList{path});
    QVERIFY(m_sink.deviceReady(*output));

    m_sink.recorder.reset();
    if (frozen) {
        QFile pidFile(stop.at(1) + QStringLiteral("/pulse/pid"));
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        const pid_t pid = pid_t(pidFile.readAll().trimmed().toLongLong());
        QCOMPARE(kill(pid, SIGSTOP), 0);
        Module1::PlaySoundFile(*output, path, true);
        QElapsedTimer leaving;
        leaving.start();
        output.reset();
        const qint64 leftAfterMs = leaving.elapsed();
        QCOMPARE(kill(pid, SIGCONT), 0);
        QVERIFY2(leftAfterMs < 1000, qPrintable(QStringLiteral("%1 ms").arg(leftAfterMs)));
        output = std::make_unique<OpenAlSoundOutput>(QStringList{path});
    } else {
        QCOMPARE(QProcess::execute(server, stop), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!Module1::PlaySoundFile(*output, path, true),
                                 SinkFixture::RecordTimeoutMs);
        QVERIFY(!Module1::PlaySoundFile(*output, path, false));
        QCOMPARE(QProcess::execute(server, start), 0);
    }

    QVERIFY2(m_sink.startRecorder(), "parecord delivers nothing from the restarted null sink");
    const qint64 begin = m_sink.recorder->sampleCount();
    QTRY_VERIFY_WITH_TIMEOUT(Module1::PlaySoundFile(*output, path, true),
                             SinkFixture::RecordTimeoutMs);
    QVERIFY(m_sink.heardAfter(begin));
    const QByteArray printed = console.text();
    QVERIFY2(printed.isEmpty(), printed.constData());
}

static const RegisteredTest<OpenAlFaultsTest> registered;
#include "OpenAlFaultsTest.moc"

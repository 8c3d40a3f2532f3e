// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "MonitorRecorder.h"
#include "ToneWave.h"
#include "sound/Module1.h"
#include "sound/OpenAlSoundOutput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// What the sound backend's tests share: a temporary program folder per test, Qt's warnings
// collected, and one recording of the PulseAudio null sink's monitor that with-null-sink.sh
// provides (the sink takes up to two seconds to begin feeding a new recording, so one
// serves every test, and each test looks only at what was recorded after its own start).
class SinkFixture {
public:
    static constexpr int RecordTimeoutMs = 10000;

    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        messages().clear();
        m_previousHandler = qInstallMessageHandler(recordMessage);
    }
    void cleanup() {
        qInstallMessageHandler(m_previousHandler);
        dir.reset();
    }

    // Why the null sink cannot be used here, or empty when it can.
    static QString nullSinkMissing() {
        const QString noSink = qEnvironmentVariable("OMVAR_NO_NULL_SINK");
        if (!noSink.isEmpty()) {
            return QStringLiteral("no PulseAudio null sink: ") + noSink;
        }
        if (qEnvironmentVariableIsEmpty("OMVAR_NULL_SINK_MONITOR")) {
            return QStringLiteral(
                "no PulseAudio null sink: run through tests/sound/with-null-sink.sh");
        }
        return {};
    }

    bool startRecorder() {
        if (!recorder) {
            recorder = std::make_unique<MonitorRecorder>();
            if (!recorder->start(qEnvironmentVariable("OMVAR_NULL_SINK_MONITOR"))) {
                recorder.reset();
            }
        }
        return recorder != nullptr;
    }

    // Whether a sound louder than `threshold` is recorded after sample `begin`, in time.
    bool heardAfter(qint64 begin, int threshold = 8000) {
        return QTest::qWaitFor([&] { return recorder->firstLoudSample(begin, threshold) >= 0; },
                               RecordTimeoutMs);
    }

    QString writeFile(const QString& name, const QByteArray& contents) const {
        const QString path = dir->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
            return {};
        }
        return path;
    }

    // The program's own spelling: the folder, the native separator, the file's name.
    QString programPath(const QString& name) const {
        return QDir::toNativeSeparators(dir->filePath(name));
    }

    // Waits until the output's device is open, by playing a silent sound until it plays.
    bool deviceReady(OpenAlSoundOutput& output) const {
        const QString silence = writeFile(QStringLiteral("Silence.wav"), tone(20, 0).bytes());
        return QTest::qWaitFor([&] { return Module1::PlaySoundFile(output, silence, true); },
                               RecordTimeoutMs);
    }

    // What Qt logged (warnings and worse) since init().
    static QStringList& messages() {
        static QStringList logged;
        return logged;
    }

    static ToneWave tone(int durationMs, double amplitude) {
        ToneWave wave;
        wave.durationMs = durationMs;
        wave.amplitude = amplitude;
        return wave;
    }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<MonitorRecorder> recorder;

private:
    static void recordMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg) {
            messages() << text;
        }
    }

    QtMessageHandler m_previousHandler = nullptr;
};

// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <vector>

// Records what a PulseAudio sink puts out, through parecord on the sink's monitor source,
// as 16-bit mono samples at 44.1 kHz. Each batch of samples is stamped with the time it
// reached us, so that a loud sample's arrival can be told apart from its recording.
class MonitorRecorder {
public:
    static constexpr int SampleRate = 44100;

    MonitorRecorder() {
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { collect(); });
    }
    ~MonitorRecorder() { stop(); }

    // Starts recording and waits (bounded) until the first samples arrive.
    bool start(const QString& monitorSource) {
        m_clock.start();
        m_process.start(QStringLiteral("parecord"),
                        {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                         QStringLiteral("--channels=1"), QStringLiteral("--rate=44100"),
                         QStringLiteral("--latency-msec=2"),
                         QStringLiteral("--device=") + monitorSource});
        if (!m_process.waitForStarted(5000)) {
            return false;
        }
        const QDeadlineTimer deadline(5000);
        while (m_samples.empty() && m_process.state() == QProcess::Running &&
               !deadline.hasExpired()) {
            m_process.waitForReadyRead(100);
            collect();
        }
        return !m_samples.empty();
    }

    void stop() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Takes in what parecord has delivered; call while waiting.
    void collect() {
        m_pending += m_process.readAllStandardOutput();
        const qsizetype count = m_pending.size() / 2;
        if (count == 0) {
            return;
        }
        const qint64 now = m_clock.nsecsElapsed();
        for (qsizetype i = 0; i < count; ++i) {
            m_samples.push_back(qFromLittleEndian<qint16>(m_pending.constData() + 2 * i));
        }
        m_arrivals.push_back({qint64(m_samples.size()), now});
        m_pending.remove(0, count * 2);
    }

    qint64 sampleCount() const { return qint64(m_samples.size()); }
    const std::vector<qint16>& samples() const { return m_samples; }

    int magnitude(qint64 sample) const { return std::abs(int(m_samples[size_t(sample)])); }

    // The first sample at or after `from` whose magnitude reaches `threshold`, or -1.
    qint64 firstLoudSample(qint64 from, int threshold) const {
        for (qint64 i = from; i < sampleCount(); ++i) {
            if (magnitude(i) >= threshold) {
                return i;
            }
        }
        return -1;
    }

    // The last sample in [from, to) whose magnitude reaches `threshold`, or -1.
    qint64 lastLoudSample(qint64 from, qint64 to, int threshold) const {
        for (qint64 i = std::min(to, sampleCount()) - 1; i >= from; --i) {
            if (magnitude(i) >= threshold) {
                return i;
            }
        }
        return -1;
    }

    // When the sample was recorded, on the recorder's clock (ns since start()): the arrival
    // of its batch less the playing time of the samples after it in that batch.
    qint64 recordedAtNs(qint64 sample) const {
        for (const Arrival& arrival : m_arrivals) {
            if (sample < arrival.endSample) {
                return arrival.atNs - (arrival.endSample - sample) * 1'000'000'000 / SampleRate;
            }
        }
        return -1;
    }

    // The recorder's clock, to stamp events on the same time line.
    qint64 nowNs() const { return m_clock.nsecsElapsed(); }

    QProcess& process() { return m_process; }

private:
    struct Arrival {
        qint64 endSample; // one past the batch's last sample
        qint64 atNs;
    };

    QProcess m_process;
    QElapsedTimer m_clock;
    QByteArray m_pending;
    std::vector<qint16> m_samples;
    std::vector<Arrival> m_arrivals;
};

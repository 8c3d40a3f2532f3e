// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/OpenAlSoundOutput.h"

#include "sound/Module1.h"

#include <QFile>
#include <QTemporaryFile>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// A synchronous play gives up this long after the sound should have ended, so a device that
// stops playing without saying so cannot hang the caller.
constexpr int SyncGraceMs = 2000;
constexpr std::chrono::milliseconds SyncPollInterval(5);

// OpenAL Soft mixes this far ahead of the speaker: 3 periods of 512 frames, 35 ms at
// 44.1 kHz. Its default of 3 periods of 1024 frames puts a click's sound 50 to 70 ms after
// the click; shorter periods than these lose sounds on a busy machine.
constexpr char MixingSettings[] = "[general]\nperiod_size = 512\nperiods = 3\n";

// OpenAL Soft reads its settings, and the log level, from the environment when it is first
// called, on the worker thread; they are set before that thread starts. It reports what it
// cannot open on stderr: the game plays no sound without a word, as winmm does, so the
// console is kept clean. A log level or settings file the user set stay. Returns the
// settings file written, for the worker to remove; empty when there is none.
QString prepareEnvironment() {
    if (!qEnvironmentVariableIsSet("ALSOFT_LOGLEVEL")) {
        qputenv("ALSOFT_LOGLEVEL", "0");
    }
    if (qEnvironmentVariableIsSet("ALSOFT_CONF")) {
        return {};
    }
    QTemporaryFile settings;
    if (!settings.open() || settings.write(MixingSettings) != qint64(sizeof MixingSettings - 1) ||
        !settings.flush()) {
        return {};
    }
    settings.setAutoRemove(false);
    qputenv("ALSOFT_CONF", QFile::encodeName(settings.fileName()));
    return settings.fileName();
}

// Blocks, as winmm's synchronous play does, until the sound has been played out.
void waitForEnd(OpenAlDevice& device, qint64 durationMs) {
    const Clock::time_point giveUp =
        Clock::now() + std::chrono::milliseconds(durationMs + SyncGraceMs);
    while (device.playing() && device.connected() && Clock::now() < giveUp) {
        std::this_thread::sleep_for(SyncPollInterval);
    }
}

} // namespace

// The device and the requests, shared by the output and its thread. The thread keeps it
// alive, so it may go on past the output when a library call outlasts the destructor's wait.
class OpenAlSoundOutput::Worker {
public:
    Worker(const QStringList& preload, Opener opener)
        : m_preload(preload), m_opener(std::move(opener)), m_lastAttempt(Clock::now()),
          m_settings(prepareEnvironment()) {}

    bool play(const QString& fileName, bool async);
    // Asks the loop to end; true when it has ended within `wait`.
    bool stop(std::chrono::milliseconds wait);
    void run();

private:
    enum class DeviceState { Opening, Open, Closed };
    struct Request {
        QString path;
        std::shared_ptr<std::promise<bool>> played; // a synchronous play's answer
    };

    void openDevice(std::unique_lock<std::mutex>& lock);
    bool playNow(const Request& request, std::unique_lock<std::mutex>& lock);
    void removeSettings();

    const QStringList m_preload;
    const Opener m_opener;

    // Shared between the two threads, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_changed; // a request, a state, or the end
    DeviceState m_state = DeviceState::Opening;
    bool m_openWanted = true;
    bool m_stopping = false;
    bool m_ended = false;
    Clock::time_point m_lastAttempt;
    std::deque<Request> m_requests;

    // The worker thread's own.
    QString m_settings; // read by OpenAL Soft when it is first called, then removed
    std::unique_ptr<OpenAlDevice> m_device;
    std::optional<Clock::time_point> m_restAt;
};

OpenAlSoundOutput::OpenAlSoundOutput(const QStringList& preloadFileNames, Opener opener)
    : m_worker(std::make_shared<Worker>(preloadFileNames, std::move(opener))),
      m_thread([worker = m_worker] { worker->run(); }) {}

// Sounds still waiting are dropped. The device is closed by the worker, waited for only so
// long: a frozen sound server must not keep the game's process alive after its last window.
OpenAlSoundOutput::~OpenAlSoundOutput() {
    if (m_worker->stop(std::chrono::milliseconds(CloseWaitMs))) {
        m_thread.join();
    } else {
        m_thread.detach();
    }
}

bool OpenAlSoundOutput::play(const QString& fileName, quint32 flags) {
    return m_worker->play(fileName, Module1::hasFlag(flags, Module1::SoundFlag::Async));
}

bool OpenAlSoundOutput::Worker::play(const QString& fileName, bool async) {
    std::unique_lock lock(m_mutex);
    if (m_state == DeviceState::Closed &&
        Clock::now() - m_lastAttempt >= std::chrono::milliseconds(RetryIntervalMs)) {
        m_state = DeviceState::Opening;
        m_openWanted = true;
        m_lastAttempt = Clock::now();
        m_changed.notify_all();
    }
    const bool settled = m_changed.wait_for(lock, std::chrono::milliseconds(ReadyWaitMs),
                                            [this] { return m_state != DeviceState::Opening; });
    if (!settled || m_state != DeviceState::Open) {
        return false;
    }
    Request request{fileName, nullptr};
    std::future<bool> played;
    if (!async) {
        request.played = std::make_shared<std::promise<bool>>();
        played = request.played->get_future();
    }
    m_requests.push_back(std::move(request));
    m_changed.notify_all();
    lock.unlock();
    return async || played.get();
}

bool OpenAlSoundOutput::Worker::stop(std::chrono::milliseconds wait) {
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    m_changed.notify_all();
    return m_changed.wait_for(lock, wait, [this] { return m_ended; });
}

// The loop: opens the device when asked, plays the requests in order, and lets the device
// rest once the last sound has been played out. It closes the device when it ends.
void OpenAlSoundOutput::Worker::run() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (m_openWanted) {
            openDevice(lock);
        } else if (!m_requests.empty()) {
            const Request request = std::move(m_requests.front());
            m_requests.pop_front();
            const bool played = playNow(request, lock);
            if (request.played) {
                request.played->set_value(played);
            }
        } else if (m_restAt && Clock::now() >= *m_restAt) {
            m_restAt.reset();
            if (m_device) {
                lock.unlock();
                m_device->rest();
                lock.lock();
            }
        } else if (m_restAt) {
            m_changed.wait_until(lock, *m_restAt);
        } else {
            m_changed.wait(lock);
        }
    }
    lock.unlock();
    m_device.reset();
    removeSettings();
    lock.lock();
    m_ended = true;
    m_changed.notify_all();
}

void OpenAlSoundOutput::Worker::openDevice(std::unique_lock<std::mutex>& lock) {
    m_openWanted = false;
    m_state = DeviceState::Opening;
    lock.unlock();
    m_device.reset();
    std::unique_ptr<OpenAlDevice> opened = m_opener(m_preload);
    removeSettings();
    lock.lock();
    m_device = std::move(opened);
    m_state = m_device ? DeviceState::Open : DeviceState::Closed;
    m_changed.notify_all();
}

// Plays one request; a device found lost is closed and opened again first.
bool OpenAlSoundOutput::Worker::playNow(const Request& request,
                                        std::unique_lock<std::mutex>& lock) {
    if (m_device && !m_device->connected()) {
        m_lastAttempt = Clock::now();
        openDevice(lock);
    }
    if (!m_device) {
        return false;
    }
    lock.unlock();
    const std::optional<qint64> durationMs = m_device->play(request.path);
    if (durationMs && request.played) {
        waitForEnd(*m_device, *durationMs);
    }
    lock.lock();
    // Even a file that did not play woke the device.
    m_restAt = Clock::now() + std::chrono::milliseconds(durationMs.value_or(0) + RestAfterMs);
    return durationMs.has_value();
}

// OpenAL Soft reads its settings once, on the first call of the process; the file goes as
// soon as that call is over, so that a game ended by a kill leaves nothing behind.
void OpenAlSoundOutput::Worker::removeSettings() {
    if (!m_settings.isEmpty()) {
        QFile::remove(m_settings);
        m_settings.clear();
    }
}

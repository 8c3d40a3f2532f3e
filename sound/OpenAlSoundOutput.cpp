#include "sound/OpenAlSoundOutput.h"

#include "sound/Module1.h"

namespace {

// A synchronous play gives up this long after the sound should have ended, so a device that
// stops playing without saying so cannot hang the caller.
constexpr int SyncGraceMs = 2000;
constexpr std::chrono::milliseconds SyncPollInterval(5);

// OpenAL Soft mixes this far ahead of the speaker: 3 periods of 512 frames, 35 ms at
// 44.1 kHz. Its default of 3 periods of 1024 frames puts a click's sound 50 to 70 ms after
// the click; shorter periods than these lose sounds on a busy machine.
constexpr char MixingSettings[] = "[general]\nperiod_size = 512\nperiods = 3\n";

} // namespace

// OpenAL Soft reads its settings, and the log level, from the environment when it is
// first called, on the worker thread; they are set here, before that thread starts. It
// reports what it cannot open on stderr: the game plays no sound without a word, as winmm
// does, so the console is kept clean. A log level or settings file the user set stay.
void OpenAlSoundOutput::prepareEnvironment() {
    if (!qEnvironmentVariableIsSet("ALSOFT_LOGLEVEL")) {
        qputenv("ALSOFT_LOGLEVEL", "0");
    }
    if (!qEnvironmentVariableIsSet("ALSOFT_CONF") && m_settings.open()) {
        m_settings.write(MixingSettings);
        m_settings.flush();
        qputenv("ALSOFT_CONF", QFile::encodeName(m_settings.fileName()));
    }
}

OpenAlSoundOutput::OpenAlSoundOutput(const QStringList& preloadFileNames, Opener opener)
    : m_preload(preloadFileNames), m_opener(std::move(opener)) {
    prepareEnvironment();
    m_lastAttempt = Clock::now();
    m_worker = std::thread(&OpenAlSoundOutput::run, this);
}

// Sounds still waiting are dropped; an attempt at opening under way is waited for, since
// the device it may bring must be closed.
OpenAlSoundOutput::~OpenAlSoundOutput() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

bool OpenAlSoundOutput::play(const QString& fileName, quint32 flags) {
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
    const bool async = Module1::hasFlag(flags, Module1::SoundFlag::Async);
    if (!async) {
        request.played = std::make_shared<std::promise<bool>>();
        played = request.played->get_future();
    }
    m_requests.push_back(std::move(request));
    m_changed.notify_all();
    lock.unlock();
    return async || played.get();
}

// The worker: opens the device when asked, plays the requests in order, and lets the device
// rest once the last sound has been played out. It closes the device when it ends.
void OpenAlSoundOutput::run() {
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
}

// OpenAL Soft reads its settings once, on the first call of the process; the file goes as
// soon as that call is over, so that a game ended by a kill leaves nothing behind.
void OpenAlSoundOutput::openDevice(std::unique_lock<std::mutex>& lock) {
    m_openWanted = false;
    m_state = DeviceState::Opening;
    lock.unlock();
    m_device.reset();
    std::unique_ptr<OpenAlDevice> opened = m_opener(m_preload);
    if (m_settings.exists()) {
        m_settings.remove();
    }
    lock.lock();
    m_device = std::move(opened);
    m_state = m_device ? DeviceState::Open : DeviceState::Closed;
    m_changed.notify_all();
}

// Plays one request on the worker; a device found lost is closed and opened again first.
bool OpenAlSoundOutput::playNow(const Request& request, std::unique_lock<std::mutex>& lock) {
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

// Blocks, as winmm's synchronous play does, until the sound has been played out.
void OpenAlSoundOutput::waitForEnd(OpenAlDevice& device, qint64 durationMs) {
    const Clock::time_point giveUp =
        Clock::now() + std::chrono::milliseconds(durationMs + SyncGraceMs);
    while (device.playing() && device.connected() && Clock::now() < giveUp) {
        std::this_thread::sleep_for(SyncPollInterval);
    }
}

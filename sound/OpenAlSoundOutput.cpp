#include "sound/OpenAlSoundOutput.h"

#include "sound/Module1.h"

#include <thread>

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
    m_rest.setSingleShot(true);
    QObject::connect(&m_rest, &QTimer::timeout, [this] {
        if (m_device) {
            m_device->rest();
        }
    });
    prepareEnvironment();
    startOpening();
}

// An attempt still under way is waited for: the device it may bring must be closed.
OpenAlSoundOutput::~OpenAlSoundOutput() {
    if (m_opening.valid()) {
        m_opening.get();
    }
}

bool OpenAlSoundOutput::play(const QString& fileName, quint32 flags) {
    OpenAlDevice* output = device();
    if (!output) {
        return false;
    }
    const std::optional<int> durationMs = output->play(fileName);
    if (!durationMs) {
        return false;
    }
    if (!Module1::hasFlag(flags, Module1::SoundFlag::Async)) {
        waitForEnd(*output, *durationMs);
    }
    m_rest.start(*durationMs + RestAfterMs);
    return true;
}

// The open device, or null: a lost one is dropped and opened again, an attempt under way
// is waited for briefly, and a new attempt is started when the last one is old enough.
OpenAlDevice* OpenAlSoundOutput::device() {
    if (m_device && !m_device->connected()) {
        m_device.reset();
        startOpening();
    }
    if (!m_device && !m_opening.valid() &&
        Clock::now() - m_lastAttempt >= std::chrono::milliseconds(RetryIntervalMs)) {
        startOpening();
    }
    if (m_opening.valid() &&
        m_opening.wait_for(std::chrono::milliseconds(ReadyWaitMs)) == std::future_status::ready) {
        m_device = m_opening.get();
    }
    return m_device.get();
}

// OpenAL Soft reads its settings once, on the first call of the process; the file goes as
// soon as that call is over, so that a game ended by a kill leaves nothing behind.
void OpenAlSoundOutput::startOpening() {
    m_lastAttempt = Clock::now();
    m_opening = std::async(std::launch::async, [this] {
        std::unique_ptr<OpenAlDevice> opened = m_opener(m_preload);
        if (m_settings.exists()) {
            m_settings.remove();
        }
        return opened;
    });
}

// Blocks, as winmm's synchronous play does, until the sound has been played out.
void OpenAlSoundOutput::waitForEnd(OpenAlDevice& device, int durationMs) {
    const Clock::time_point giveUp =
        Clock::now() + std::chrono::milliseconds(durationMs + SyncGraceMs);
    while (device.playing() && device.connected() && Clock::now() < giveUp) {
        std::this_thread::sleep_for(SyncPollInterval);
    }
}

#pragma once

#include "sound/OpenAlDevice.h"
#include "sound/SoundOutput.h"

#include <QStringList>
#include <QTemporaryFile>
#include <QTimer>
#include <chrono>
#include <functional>
#include <future>
#include <memory>

// Wave playback through OpenAL Soft, for platforms without winmm. It behaves as winmm does
// for the game: a new sound stops the one playing; a file that is missing or not a PCM wave
// file, or no output device, gives false without any message.
//
// The device is opened on a worker thread, started with the object, so that start-up never
// waits for the sound server. A play while it is still opening waits up to ReadyWaitMs for
// it and is silent if it is not ready by then. A device that is lost (its server went away)
// is closed at the next play and opened again; while there is none, a play tries again at
// most once a RetryIntervalMs, on the worker thread. Mixing rests from RestAfterMs after the
// end of the last sound until the next play. Lives on the user-interface thread;
// one at a time in a process, since OpenAL's current context is the process's.
class OpenAlSoundOutput : public SoundOutput {
public:
    using Opener = std::function<std::unique_ptr<OpenAlDevice>(const QStringList&)>;

    static constexpr int ReadyWaitMs = 100;
    static constexpr int RetryIntervalMs = 1000;
    static constexpr int RestAfterMs = 2000;

    // Starts opening the device, which decodes `preloadFileNames` ahead. `opener` stands in
    // for OpenAlDevice::open in tests.
    explicit OpenAlSoundOutput(const QStringList& preloadFileNames = {},
                               Opener opener = &OpenAlDevice::open);
    ~OpenAlSoundOutput() override;

    bool play(const QString& fileName, quint32 flags) override;

private:
    using Clock = std::chrono::steady_clock;

    void prepareEnvironment();
    OpenAlDevice* device();
    void startOpening();
    static void waitForEnd(OpenAlDevice& device, int durationMs);

    QTemporaryFile m_settings; // read by OpenAL Soft when it is first called, then removed
    QStringList m_preload;
    Opener m_opener;
    std::future<std::unique_ptr<OpenAlDevice>> m_opening;
    std::unique_ptr<OpenAlDevice> m_device;
    Clock::time_point m_lastAttempt;
    QTimer m_rest; // lets the device rest once the last sound has been played out
};
